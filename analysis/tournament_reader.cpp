#include "analysis/tournament_reader.h"

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <memory>
#include <set>

#include "analysis/record_values.h"
#include "schema/format_catalogue.h"
#include "schema/record_factory.h"

namespace {

// A section's movement map holds one entry per round, board slot and table;
// real movements stay far below this. Beyond it the section is refused as
// too big rather than filling memory.
constexpr size_t kLargestMovementMap = 100000;
// The maps of all sections together stay below this, so that many sections
// of a small file cannot fill memory either (an entry takes some 64 bytes).
constexpr size_t kLargestMovementMaps = 4 * kLargestMovementMap;
constexpr int64_t kMostBoardsInTotal = 2500;

// What the readers of the formats do differently.
struct ReaderVariant {
    bool checksBoardDistribution;
    bool readsPlayersResultsAndHands;
    bool readsSession;
};

ReaderVariant VariantOf(eImportType format) {
    switch (format) {
        case DK0_BWS:
        case DK1_BWS:
        case DK2_BWS:
        case Ups:
        case SW3_BWS:
        case AU0_BWS:
        case SW4_BWS:
        case AU1_BWS:
        case AU2_BWS:
        case AU3_BWS:
        case AU4_BWS:
        case SC0_BWS:
            return {true, true, true};
        case IS0_BWS:
            return {true, false, true};
        case US4_BWS:
            return {false, false, false};
        case US5_BWS:
            return {false, false, true};
        default:
            return {false, true, true};
    }
}

std::unique_ptr<BWSbase> RecordOf(eImportType format, BwsTable table) {
    const char layout = LayoutOf(format, table);
    if (layout == '-') return nullptr;
    return MakeRecord(table, layout);
}

// Opens a record, giving false when the format has no such table.
bool OpenRecord(const std::unique_ptr<BWSbase>& record) { return record && record->Open(); }

// True when a fetch of the record failed, at its opening or later: the rows
// read are then not the whole table.
bool FetchFailed(const std::unique_ptr<BWSbase>& record) { return record && record->fetchFailed; }

std::string TooManyBoards(int64_t total) {
    char text[128];
    std::snprintf(text, sizeof text,
                  "More than %u boards in total - %" PRId64 " is not currently supported\n",
                  static_cast<unsigned>(kMostBoardsInTotal), total);
    return text;
}

int SaturatedInt(int64_t value) {
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

int64_t BoardsInTotal(const CBWS_SectionInfo& info) {
    return static_cast<int64_t>(info.BoardsPerRound) * info.Rounds * info.Tables;
}

}  // namespace

TournamentReader::TournamentReader(eImportType importType) : ImportType(importType) {}

bool TournamentReader::Read(CString& errorText) {
    errorText.Empty();
    try {
        return ReadSteps(errorText);
    } catch (const UndeclaredColumn& fault) {
        // A column that a layout does not declare: no file can mend that.
        errorText += fault.what();
        errorText += "\n";
        return false;
    }
}

bool TournamentReader::ReadSteps(CString& errorText) {
    const ReaderVariant variant = VariantOf(ImportType);
    if (variant.readsSession && !ReadTourName(errorText)) return false;
    if (!ReadRounds(errorText)) return false;
    MarkStationaryNorthSouth();
    if (!ReadSectionTable(errorText)) return false;
    if (!ClassifyAndCheckMovements(variant.checksBoardDistribution, errorText)) return false;
    MarkUnsortedRounds();
    if (!variant.readsPlayersResultsAndHands) return true;
    if (!CountPlayers(errorText)) return false;
    return CountResultsAndHands(errorText);
}

bool TournamentReader::ReadTourName(CString& errorText) {
    auto session = RecordOf(ImportType, BwsTable::Session);
    if (OpenRecord(session)) TourName = TextValue(*session, "NAME");
    const bool failed = FetchFailed(session);
    if (session) session->Close();
    if (failed) errorText += "Error opening session data\n";
    return !failed;
}

bool TournamentReader::ReadRounds(CString& errorText) {
    auto rounds = RecordOf(ImportType, BwsTable::RoundData);
    if (rounds) rounds->orderBy = "[Section] ASC, [Round] ASC, [Table] ASC";
    if (!OpenRecord(rounds)) {
        errorText += "Error opening round data\n";
        return false;
    }
    size_t entriesInAllSections = 0;
    const RecordColumn sectionColumn(*rounds, "SECTION");
    const RecordColumn tableColumn(*rounds, "TABLE");
    const RecordColumn roundColumn(*rounds, "ROUND");
    const RecordColumn nsColumn(*rounds, "NSPAIR");
    const RecordColumn ewColumn(*rounds, "EWPAIR");
    const RecordColumn lowColumn(*rounds, "LOWBOARD");
    const RecordColumn highColumn(*rounds, "HIGHBOARD");
    for (; !rounds->eof; rounds->MoveNext()) {
        const int sectionNumber = sectionColumn.Integer();
        const int table = tableColumn.Integer();
        const int round = roundColumn.Integer();
        const int nsPair = nsColumn.Integer();
        const int ewPair = ewColumn.Integer();
        const int lowBoard = lowColumn.Integer();
        const int highBoard = highColumn.Integer();

        CBWS_SectionInfo& info = Sections[sectionNumber];
        info.Section = sectionNumber;
        info.Tables = std::max(info.Tables, table);
        info.Rounds = std::max(info.Rounds, round);
        info.LowBoard = std::min(info.LowBoard, lowBoard);
        info.HighBoard = std::max(info.HighBoard, highBoard);
        ++info.BoardRanges[{lowBoard, highBoard}];

        const int boards = highBoard - lowBoard + 1;
        if (info.First) {
            info.First = false;
            info.BoardsPerRound = boards;
        } else if (info.BoardsPerRound != boards) {
            errorText += "Only support for the same number of boards per round\n";
            return false;
        }

        auto stored = info.RoundLowBoard.find(round);
        if (stored == info.RoundLowBoard.end()) {
            info.RoundLowBoard[round] = lowBoard;
        } else if (stored->second != lowBoard) {
            info.Barometer = false;
            if (!AllowNonBarometer) {
                errorText += "This is NOT a barometer tournament\n";
                return false;
            }
            stored->second = 0;
        }

        for (int pair : {nsPair, ewPair}) {
            const int64_t key = (static_cast<int64_t>(round) - 1) * (int64_t{1} << 32) + pair;
            if (!info.PairRounds.emplace(key, 1).second) info.PairNumbersRepeat = true;
        }
        info.PairNumbers[nsPair] = 1;
        info.PairNumbers[ewPair] = 1;

        int64_t slot = (static_cast<int64_t>(round) - 1) * info.BoardsPerRound + 1;
        for (int board = lowBoard; board <= highBoard; ++board, ++slot) {
            if (info.RBTmap.size() >= kLargestMovementMap) {
                const int64_t entries = static_cast<int64_t>(info.RBTmap.size()) + 1;
                errorText += TooManyBoards(std::max(BoardsInTotal(info), entries)).c_str();
                return false;
            }
            if (entriesInAllSections >= kLargestMovementMaps) {
                errorText += TooManyBoards(static_cast<int64_t>(entriesInAllSections) + 1).c_str();
                return false;
            }
            const t_RBTkey key(round, SaturatedInt(slot), table);
            if (!info.RBTmap.emplace(key, t_PairTupple(nsPair, ewPair, board)).second) {
                errorText += "Duplicate entries in RBT\n";
                return false;
            }
            ++entriesInAllSections;
        }
    }
    if (rounds->fetchFailed) {
        errorText += "Error opening round data\n";
        return false;
    }
    rounds->Close();
    return true;
}

void TournamentReader::MarkStationaryNorthSouth() {
    for (auto& entry : Sections) {
        CBWS_SectionInfo& info = entry.second;
        if (info.PairNumbersRepeat) continue;
        std::map<int, std::set<int>> nsAtTable;
        std::map<int, std::set<int>> ewAtTable;
        for (const auto& [key, pairs] : info.RBTmap) {
            nsAtTable[key.Table].insert(pairs.NSPair);
            ewAtTable[key.Table].insert(pairs.EWPair);
        }
        size_t mostNs = 0;
        size_t mostEw = 0;
        for (const auto& table : nsAtTable) mostNs = std::max(mostNs, table.second.size());
        for (const auto& table : ewAtTable) mostEw = std::max(mostEw, table.second.size());
        if (mostNs == 1 && mostEw > 1) {
            info.PairNumbersRepeat = true;
            info.MovementType = MovementStationaryNS;
        }
    }
}

bool TournamentReader::ReadSectionTable(CString& errorText) {
    auto sections = RecordOf(ImportType, BwsTable::Section);
    if (!OpenRecord(sections)) {
        if (FetchFailed(sections)) {
            errorText += "Error opening section data\n";
            return false;
        }
        // Only reported: the summaries keep their defaults.
        std::printf("Error opening section data\n");
        return true;
    }
    for (; !sections->eof; sections->MoveNext()) {
        const int id = IntegerValue(*sections, "ID");
        auto found = Sections.find(id);
        if (found == Sections.end()) {
            errorText.AppendFormat("Error looking up section number %d\n", id);
            return false;
        }
        CBWS_SectionInfo& info = found->second;
        const int tables = IntegerValue(*sections, "TABLES");
        const int scoringType = IntegerValue(*sections, "SCORINGTYPE");
        info.SectionName = TextValue(*sections, "LETTER");
        info.Pairs = 2 * tables;
        if (scoringType == 3 || scoringType == 4) info.Team = true;
        if (static_cast<int64_t>(info.PairNumbers.size()) >= 4 * static_cast<int64_t>(tables)) {
            info.Individual = true;
        }
    }
    if (sections->fetchFailed) {
        errorText += "Error opening section data\n";
        return false;
    }
    sections->Close();
    return true;
}

namespace {

// Sections played in halves: boards of later halves move up past the boards
// of earlier ones. False (with the message) when the ranges make no halves.
bool SpreadHalves(CBWS_SectionInfo& info, CString& errorText) {
    const int64_t halves = static_cast<int64_t>(info.BoardRanges.size());
    info.Halfs = SaturatedInt(halves);
    const auto& firstRange = info.BoardRanges.begin()->first;
    const int64_t spread = static_cast<int64_t>(firstRange.second) - firstRange.first;
    if (spread <= 0) {
        errorText += "Distribution range is sick";
        return false;
    }
    for (const auto& entry : info.BoardRanges) {
        if (static_cast<int64_t>(entry.first.second) - entry.first.first != spread) {
            errorText += "Distribution range is sick II";
            return false;
        }
    }
    for (auto& [key, pairs] : info.RBTmap) {
        const int64_t played = static_cast<int64_t>(key.Round) - 1;
        const int64_t shift = (played - played % halves) * (spread + 1);
        pairs.Board = SaturatedInt(pairs.Board + shift);
        info.HighBoard = std::max(info.HighBoard, pairs.Board);
    }
    return true;
}

// Numbers the EW pairs of a Mitchell after the NS pairs.
void RenumberEastWest(CBWS_SectionInfo& info) {
    for (auto& entry : info.RBTmap) {
        t_PairTupple& pairs = entry.second;
        if (pairs.EWPair != 0 && pairs.EWPair <= info.Tables) pairs.EWPair += info.Tables;
    }
}

}  // namespace

bool TournamentReader::ClassifyAndCheckMovements(bool checksBoardDistribution, CString& errorText) {
    for (auto& entry : Sections) {
        CBWS_SectionInfo& info = entry.second;
        if (info.Team) {
            info.Halfs = info.Rounds;
            info.Teams = info.Tables;
        } else if (!info.PairNumbersRepeat) {
            info.Teams = info.Pairs;
            info.Halfs = 1;
            info.MovementType = MovementOrdinary;
        } else if (!checksBoardDistribution) {
            info.Teams = info.Pairs;
            info.Halfs = 1;
            info.Ignore = true;
            info.MovementType = MovementStationaryNS;
            continue;
        } else {
            info.Teams = info.Pairs;
            if (static_cast<int64_t>(info.BoardRanges.size()) == info.Rounds) {
                info.Halfs = 1;
            } else if (!SpreadHalves(info, errorText)) {
                return false;
            }
            RenumberEastWest(info);
        }

        info.BoardsNeeded = info.HighBoard;
        std::string message;
        if (!SanityCheckRBTmap(info.RBTmap, info.Transformable, message)) {
            errorText += message.c_str();
            return false;
        }
        const int64_t total = BoardsInTotal(info);
        if (total > kMostBoardsInTotal) {
            errorText += TooManyBoards(total).c_str();
            return false;
        }
    }
    return true;
}

void TournamentReader::MarkUnsortedRounds() {
    for (auto& entry : Sections) {
        CBWS_SectionInfo& info = entry.second;
        if (!info.Barometer) continue;
        bool first = true;
        int previous = 0;
        for (const auto& [round, lowBoard] : info.RoundLowBoard) {
            if (!first && lowBoard < previous) {
                info.UnsortedRounds = true;
                break;
            }
            first = false;
            previous = lowBoard;
        }
    }
}

bool TournamentReader::CountPlayers(CString& errorText) {
    auto players = RecordOf(ImportType, BwsTable::PlayerNumbers);
    if (!OpenRecord(players)) {
        errorText += "Error opening PlayerNums data\n";
        return false;
    }
    const RecordColumn sectionColumn(*players, "SECTION");
    const RecordColumn tableColumn(*players, "TABLE");
    const RecordColumn directionColumn(*players, "DIRECTION");
    const RecordColumn numberColumn(*players, "NUMBER");
    const RecordColumn nameColumn(*players, "NAME");
    for (; !players->eof; players->MoveNext()) {
        auto found = Sections.find(sectionColumn.Integer());
        if (found == Sections.end()) continue;
        const std::string direction = directionColumn.Text();
        const std::string number = numberColumn.Text();
        if (direction.empty() || number.empty()) continue;
        t_player seat = NoSeat;
        if (!PlayerFromChar(direction[0], seat)) continue;
        CBWS_SectionInfo& info = found->second;
        ++info.PlayerNamesRead;
        info.Players[{tableColumn.Integer(), seat}] =
            PlayerEntry{nameColumn.Text(), number, 0, 0, 0};
    }
    if (players->fetchFailed) {
        errorText += "Error opening PlayerNums data\n";
        return false;
    }
    players->Close();
    return true;
}

bool TournamentReader::CountResultsAndHands(CString& errorText) {
    // A table that does not open is not counted; one that fails part way
    // would give a count short of the truth.
    auto results = RecordOf(ImportType, BwsTable::ReceivedData);
    if (OpenRecord(results)) {
        const RecordColumn sectionColumn(*results, "SECTION");
        for (; !results->eof; results->MoveNext()) {
            auto found = Sections.find(sectionColumn.Integer());
            if (found != Sections.end()) ++found->second.ReceivedDataRead;
        }
    }
    if (FetchFailed(results)) {
        errorText += "Error opening received data\n";
        return false;
    }
    if (results) results->Close();

    auto hands = RecordOf(ImportType, BwsTable::HandRecord);
    if (OpenRecord(hands)) {
        const RecordColumn sectionColumn(*hands, "SECTION");
        for (; !hands->eof; hands->MoveNext()) {
            auto found = Sections.find(sectionColumn.Integer());
            if (found != Sections.end()) ++found->second.HandRecordsRead;
        }
    }
    if (FetchFailed(hands)) {
        errorText += "Error opening hand record data\n";
        return false;
    }
    if (hands) hands->Close();
    return true;
}
