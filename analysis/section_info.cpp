#include "analysis/section_info.h"

#include "db/windows1252.h"

#include "analysis/enum_translator.h"

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
// As the property tree's own translator writes a flag. Values are made text
// here, rather than through a string stream each: a file of many sections
// has millions of them.
std::string AsFlag(bool value) { return value ? "true" : "false"; }
}  // namespace

std::vector<std::pair<const char*, std::string>> CBWS_SectionInfo::ReportValues() const {
    return {
        {"Section", AsUnsigned(Section)},
        // The letter is stored in Windows-1252; the report is UTF-8.
        {"SectionName", Windows1252ToUtf8(SectionName)},
        {"Tables", AsUnsigned(Tables)},
        {"Rounds", AsUnsigned(Rounds)},
        {"LowBoard", AsUnsigned(LowBoard)},
        {"HighBoard", AsUnsigned(HighBoard)},
        {"BoardsPerRound", AsUnsigned(BoardsPerRound)},
        {"BoardsNeeded", AsUnsigned(BoardsNeeded)},
        {"Pairs", AsUnsigned(Pairs)},
        {"Teams", AsUnsigned(Teams)},
        {"First", AsFlag(First)},
        {"Barometer", AsFlag(Barometer)},
        {"UnsortedRounds", AsFlag(UnsortedRounds)},
        {"Transformable", AsFlag(Transformable)},
        {"Team", AsFlag(Team)},
        {"Halfs", AsUnsigned(Halfs)},
        {"Individual", AsFlag(Individual)},
        {"Ignore", AsFlag(Ignore)},
        {"MovementType", *BoostTransLator<eMovementType>().put_value(MovementType)},
        {"PlayerNamesRead", AsNumber(PlayerNamesRead)},
        {"ReceivedDataRead", AsNumber(ReceivedDataRead)},
        {"HandRecordsRead", AsNumber(HandRecordsRead)},
    };
}

boost::property_tree::ptree& CBWS_SectionInfo::WriteToPtree(
    boost::property_tree::ptree& tree) const {
    for (const auto& [key, value] : ReportValues()) tree.put(key, value);
    return tree;
}
