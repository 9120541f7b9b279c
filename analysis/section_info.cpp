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
unsigned AsUnsigned(int value) { return static_cast<unsigned>(value); }
}  // namespace

boost::property_tree::ptree& CBWS_SectionInfo::WriteToPtree(
    boost::property_tree::ptree& tree) const {
    tree.put("Section", AsUnsigned(Section));
    // The letter is stored in Windows-1252; the report is UTF-8.
    tree.put("SectionName", Windows1252ToUtf8(SectionName));
    tree.put("Tables", AsUnsigned(Tables));
    tree.put("Rounds", AsUnsigned(Rounds));
    tree.put("LowBoard", AsUnsigned(LowBoard));
    tree.put("HighBoard", AsUnsigned(HighBoard));
    tree.put("BoardsPerRound", AsUnsigned(BoardsPerRound));
    tree.put("BoardsNeeded", AsUnsigned(BoardsNeeded));
    tree.put("Pairs", AsUnsigned(Pairs));
    tree.put("Teams", AsUnsigned(Teams));
    tree.put("First", First);
    tree.put("Barometer", Barometer);
    tree.put("UnsortedRounds", UnsortedRounds);
    tree.put("Transformable", Transformable);
    tree.put("Team", Team);
    tree.put("Halfs", AsUnsigned(Halfs));
    tree.put("Individual", Individual);
    tree.put("Ignore", Ignore);
    tree.put("MovementType", MovementType, BoostTransLator<eMovementType>());
    tree.put("PlayerNamesRead", PlayerNamesRead);
    tree.put("ReceivedDataRead", ReceivedDataRead);
    tree.put("HandRecordsRead", HandRecordsRead);
    return tree;
}
