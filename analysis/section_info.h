// CBWS_SectionInfo: the summary of one section of a tournament, as the
// tournament reader derives it from the round data and the section table, and
// as the report writes it. A plain value: copies are deep, moves transfer.
#pragma once

#include <boost/property_tree/ptree.hpp>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "analysis/movement_map.h"

// Classification of a section's movement, written to the report as a number.
enum eMovementType {
    MovementDefault = 0,
    MovementOrdinary = 1,
    MovementStationaryNS = 2,
};

// A player's name and number at one table and seat.
struct PlayerEntry {
    std::string Name;
    std::string Number;
    int Reserved1 = 0;
    int Reserved2 = 0;
    int Reserved3 = 0;
};

class CBWS_SectionInfo {
  public:
    // Every field at its default, every map empty. The special members are
    // defined out of line so that the executable exports them.
    CBWS_SectionInfo();
    CBWS_SectionInfo(const CBWS_SectionInfo& other);
    CBWS_SectionInfo(CBWS_SectionInfo&& other) noexcept;
    CBWS_SectionInfo& operator=(const CBWS_SectionInfo& other);
    CBWS_SectionInfo& operator=(CBWS_SectionInfo&& other) noexcept;
    ~CBWS_SectionInfo();

    // Puts the report keys, from "Section" to "HandRecordsRead", into the
    // tree in report order (an existing key is overwritten) and returns it.
    boost::property_tree::ptree& WriteToPtree(boost::property_tree::ptree& tree) const;
    // The same keys in the same order, each with the text WriteToPtree
    // gives it, for a writer that needs no tree.
    std::vector<std::pair<const char*, std::string>> ReportValues() const;

    bool PairNumbersRepeat = false;
    int Section = 0;
    std::string SectionName;
    int Tables = 0;
    int Rounds = 0;
    int LowBoard = 1;
    int HighBoard = 1;
    int BoardsPerRound = 0;
    int BoardsNeeded = 0;
    int Pairs = 0;
    int Teams = 0;
    bool First = true;
    bool Barometer = true;
    bool UnsortedRounds = false;
    bool Transformable = true;
    bool Team = false;
    bool Individual = false;
    int Halfs = 0;
    bool Ignore = false;
    eMovementType MovementType = MovementDefault;
    int PlayerNamesRead = 0;
    int ReceivedDataRead = 0;
    int HandRecordsRead = 0;
    RBTmap_t RBTmap;
    std::map<int, int> RoundLowBoard;
    std::map<std::pair<int, int>, int> BoardRanges;
    // Set of (round, pair) keys, held as (round - 1) * 2^32 + pair so that
    // pair numbers of any size stay apart between rounds.
    std::map<int64_t, int> PairRounds;
    std::map<int, int> PairNumbers;
    std::map<std::pair<int, t_player>, PlayerEntry> Players;
};
