#include "analysis/movement_map.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <tuple>
#include <vector>

namespace {

// Sorted vectors instead of trees: the map may hold a million entries, and
// each check only needs to find equal keys.

bool SomeMeetingAtTwoTables(const RBTmap_t& rbtMap) {
    std::vector<std::tuple<int, int, int>> meetings;  // (Slot, NSPair, EWPair)
    meetings.reserve(rbtMap.size());
    for (const auto& [key, pairs] : rbtMap)
        meetings.emplace_back(key.Slot, pairs.NSPair, pairs.EWPair);
    std::sort(meetings.begin(), meetings.end());
    return std::adjacent_find(meetings.begin(), meetings.end()) != meetings.end();
}

struct PairAtSlot {
    int pair;
    int slot;
    uint64_t order;  // 2 * entry position in key order, + 1 for the EW pair

    bool SamePlace(const PairAtSlot& other) const {
        return pair == other.pair && slot == other.slot;
    }
    friend bool operator<(const PairAtSlot& left, const PairAtSlot& right) {
        return std::tie(left.pair, left.slot, left.order) <
               std::tie(right.pair, right.slot, right.order);
    }
};

// Finds the first pair, in walk order (entries in key order, the NS pair
// before the EW pair), that has already been seen at the same slot.
bool FirstPairPlayingSlotTwice(const RBTmap_t& rbtMap, PairAtSlot* offence) {
    std::vector<PairAtSlot> seats;
    seats.reserve(rbtMap.size() * 2);
    uint64_t position = 0;
    for (const auto& [key, pairs] : rbtMap) {
        seats.push_back({pairs.NSPair, key.Slot, 2 * position});
        seats.push_back({pairs.EWPair, key.Slot, 2 * position + 1});
        ++position;
    }
    std::sort(seats.begin(), seats.end());
    bool found = false;
    size_t first = 0;
    while (first < seats.size()) {
        size_t last = first + 1;
        while (last < seats.size() && seats[last].SamePlace(seats[first])) ++last;
        // Within a run of one pair at one slot, the second seat is where the walk fails.
        if (last - first >= 2 && (!found || seats[first + 1].order < offence->order)) {
            *offence = seats[first + 1];
            found = true;
        }
        first = last;
    }
    return found;
}

std::string PairPlaysSlotTwice(int pair, int slot) {
    char text[96];
    std::snprintf(text, sizeof text, "Pair %u is playing the same cards %u twice \n",
                  static_cast<unsigned>(pair), static_cast<unsigned>(slot));
    return text;
}

// True when every pair of the map has played every board from lowest to
// highest. Equivalent to asking, for each pair and each board of the range,
// whether some entry shows the pair at that board, but counts each pair's
// distinct boards once instead of scanning the map per pair and board.
bool EveryPairPlaysEveryBoard(const RBTmap_t& rbtMap, int lowestBoard, int highestBoard) {
    if (lowestBoard > highestBoard) return true;
    std::vector<std::pair<int, int>> pairBoards;  // (pair, board) as seen at a table
    pairBoards.reserve(rbtMap.size() * 2);
    for (const auto& entry : rbtMap) {
        pairBoards.emplace_back(entry.second.NSPair, entry.second.Board);
        pairBoards.emplace_back(entry.second.EWPair, entry.second.Board);
    }
    std::sort(pairBoards.begin(), pairBoards.end());
    pairBoards.erase(std::unique(pairBoards.begin(), pairBoards.end()), pairBoards.end());

    // Every board of the map lies within [lowestBoard, highestBoard], so a
    // pair plays the whole range exactly when it has that many distinct boards.
    const int64_t boardsInRange = static_cast<int64_t>(highestBoard) - lowestBoard + 1;
    size_t first = 0;
    while (first < pairBoards.size()) {
        size_t last = first;
        while (last < pairBoards.size() && pairBoards[last].first == pairBoards[first].first)
            ++last;
        if (static_cast<int64_t>(last - first) != boardsInRange) return false;
        first = last;
    }
    return true;
}

}  // namespace

bool SanityCheckRBTmap(RBTmap_t& rbtMap, bool& transformable, std::string& message) {
    transformable = true;

    if (SomeMeetingAtTwoTables(rbtMap)) {
        message = "Some pairs playing in two places at the same time\n";
        return false;
    }
    PairAtSlot offence{};
    if (FirstPairPlayingSlotTwice(rbtMap, &offence)) {
        message = PairPlaysSlotTwice(offence.pair, offence.slot);
        return false;
    }

    if (rbtMap.empty()) return true;
    // The range starts from board 4242 down and board 1 up, so it always
    // spans at least those boards that lie between 1 and 4242.
    int lowestBoard = 4242;
    int highestBoard = 1;
    for (const auto& entry : rbtMap) {
        lowestBoard = std::min(lowestBoard, entry.second.Board);
        highestBoard = std::max(highestBoard, entry.second.Board);
    }
    transformable = EveryPairPlaysEveryBoard(rbtMap, lowestBoard, highestBoard);
    return true;
}

bool PlayerFromChar(char direction, t_player& seat) {
    switch (direction) {
        case 'N':
        case 'n':
            seat = North;
            return true;
        case 'E':
        case 'e':
            seat = East;
            return true;
        case 'S':
        case 's':
            seat = South;
            return true;
        case 'W':
        case 'w':
            seat = West;
            return true;
        default:
            seat = NoSeat;
            return false;
    }
}
