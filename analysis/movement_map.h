// The round/board/table map of a section's movement, and the checks that
// reject impossible movements and tell whether every pair plays every board.
#pragma once

#include <map>
#include <string>
#include <tuple>

// A place in the movement: round, board slot and table. The slot of a round
// row's first board is (Round - 1) * BoardsPerRound + 1, counting up by one
// per board of the row. Ordered by Round, then Slot, then Table.
struct t_RBTkey {
    int Round = 0;
    int Slot = 0;
    int Table = 0;

    t_RBTkey() = default;
    t_RBTkey(int round, int slot, int table) : Round(round), Slot(slot), Table(table) {}

    friend bool operator<(const t_RBTkey& left, const t_RBTkey& right) {
        return std::tie(left.Round, left.Slot, left.Table) <
               std::tie(right.Round, right.Slot, right.Table);
    }
    friend bool operator==(const t_RBTkey& left, const t_RBTkey& right) {
        return std::tie(left.Round, left.Slot, left.Table) ==
               std::tie(right.Round, right.Slot, right.Table);
    }
};

// Who plays what at one place: the NS pair, the EW pair and the board.
struct t_PairTupple {
    int NSPair = 0;
    int EWPair = 0;
    int Board = 0;

    t_PairTupple() = default;
    t_PairTupple(int nsPair, int ewPair, int board)
        : NSPair(nsPair), EWPair(ewPair), Board(board) {}

    friend bool operator==(const t_PairTupple& left, const t_PairTupple& right) {
        return std::tie(left.NSPair, left.EWPair, left.Board) ==
               std::tie(right.NSPair, right.EWPair, right.Board);
    }
};

// A seat at the table.
enum t_player { North = 0, East = 1, South = 2, West = 3, NoSeat = 4 };

using RBTmap_t = std::map<t_RBTkey, t_PairTupple>;

// Checks that the movement is possible. Always sets transformable: true when
// every pair (NS or EW) plays every board from the lowest to the highest
// board number of the map. Returns false, with message set to the reason,
// when two tables hold the same meeting of pairs on one slot, or when a pair
// plays one slot twice; the first offending entry in key order is named.
// Runs in O(n log n) for a map of n entries.
bool SanityCheckRBTmap(RBTmap_t& rbtMap, bool& transformable, std::string& message);

// Converts a direction letter (N, E, S, W in either case) into its seat and
// returns true; any other character gives NoSeat and false.
bool PlayerFromChar(char direction, t_player& seat);
