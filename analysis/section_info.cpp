#include "analysis/section_info.h"

#include "db/windows1252.h"

CBWS_SectionInfo::CBWS_SectionInfo() = default;
CBWS_SectionInfo::CBWS_SectionInfo(const CBWS_SectionInfo& other) = default;
CBWS_SectionInfo::CBWS_SectionInfo(CBWS_SectionInfo&& other) noexcept = default;
CBWS_SectionInfo& CBWS_SectionInfo::operator=(const CBWS_SectionInfo& other) = default;
CBWS_SectionInfo& CBWS_SectionInfo::operator=(CBWS_SectionInfo&& other) noexcept = default;
CBWS_SectionInfo::~CBWS_SectionInfo() = default;

namespace {
// Counts are written in their unsigned 32-bit form.
std::string AsUnsigned(int value) { return std::to_string(static_cast<unsigned>(value)); }
std::string AsNumber(int value) { return std::to_string(value); }
// As the property tree's own translator writes a flag. Values go in as text,
// which the tree takes as it stands, rather than through a string stream
// each: a file of many sections has millions of them.
std::string AsFlag(bool value) { return value ? "true" : "false"; }

// As tree.put(key, value) for a key without dots: the first child of that
// name takes the value, or a new last child holds it; without parsing a
// path or translating the value.
void Put(boost::property_tree::ptree& tree, const char* key, std::string value) {
    const auto found = tree.find(key);
    if (found != tree.not_found()) {
        found->second.data() = std::move(value);
    } else {
        tree.push_back({key, boost::property_tree::ptree(std::move(value))});
    }
}
}  // namespace

boost::property_tree::ptree& CBWS_SectionInfo::WriteToPtree(
    boost::property_tree::ptree& tree) const {
    Put(tree, "Section", AsUnsigned(Section));
    // The letter is stored in Windows-1252; the report is UTF-8.
    Put(tree, "SectionName", Windows1252ToUtf8(SectionName));
    Put(tree, "Tables", AsUnsigned(Tables));
    Put(tree, "Rounds", AsUnsigned(Rounds));
    Put(tree, "LowBoard", AsUnsigned(LowBoard));
    Put(tree, "HighBoard", AsUnsigned(HighBoard));
    Put(tree, "BoardsPerRound", AsUnsigned(BoardsPerRound));
    Put(tree, "BoardsNeeded", AsUnsigned(BoardsNeeded));
    Put(tree, "Pairs", AsUnsigned(Pairs));
    Put(tree, "Teams", AsUnsigned(Teams));
    Put(tree, "First", AsFlag(First));
    Put(tree, "Barometer", AsFlag(Barometer));
    Put(tree, "UnsortedRounds", AsFlag(UnsortedRounds));
    Put(tree, "Transformable", AsFlag(Transformable));
    Put(tree, "Team", AsFlag(Team));
    Put(tree, "Halfs", AsUnsigned(Halfs));
    Put(tree, "Individual", AsFlag(Individual));
    Put(tree, "Ignore", AsFlag(Ignore));
    Put(tree, "MovementType", std::to_string(static_cast<long long>(MovementType)));
    Put(tree, "PlayerNamesRead", AsNumber(PlayerNamesRead));
    Put(tree, "ReceivedDataRead", AsNumber(ReceivedDataRead));
    Put(tree, "HandRecordsRead", AsNumber(HandRecordsRead));
    return tree;
}
