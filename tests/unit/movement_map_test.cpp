#include "analysis/movement_map.h"

#include <gtest/gtest.h>

namespace {

// Adds one round row: boards low..high at a table, slots from the round's first.
void AddRow(RBTmap_t& map, int round, int table, int ns, int ew, int low, int high,
            int boardsPerRound) {
    int slot = (round - 1) * boardsPerRound + 1;
    for (int board = low; board <= high; ++board, ++slot) {
        map[t_RBTkey(round, slot, table)] = t_PairTupple(ns, ew, board);
    }
}

// 2 tables, 4 pairs, 3 rounds of 2 boards over boards 1-6. Pairs 1 and 4
// play every board; pair 2 misses boards 3-4 and pair 3 boards 1-2.
RBTmap_t FourPairsThreeRounds() {
    RBTmap_t map;
    // Round 1: pairs 1-2 on boards 1-2, pairs 3-4 on boards 3-4.
    AddRow(map, 1, 1, 1, 2, 1, 2, 2);
    AddRow(map, 1, 2, 3, 4, 3, 4, 2);
    AddRow(map, 2, 1, 1, 3, 3, 4, 2);
    AddRow(map, 2, 2, 2, 4, 1, 2, 2);
    AddRow(map, 3, 1, 4, 1, 5, 6, 2);
    AddRow(map, 3, 2, 3, 2, 5, 6, 2);
    return map;
}

TEST(RBTkeyTest, OrdersByRoundThenSlotThenTable) {
    EXPECT_TRUE(t_RBTkey(1, 9, 9) < t_RBTkey(2, 1, 1));
    EXPECT_TRUE(t_RBTkey(1, 1, 9) < t_RBTkey(1, 2, 1));
    EXPECT_TRUE(t_RBTkey(1, 1, 1) < t_RBTkey(1, 1, 2));
    EXPECT_FALSE(t_RBTkey(1, 1, 2) < t_RBTkey(1, 1, 2));
    EXPECT_TRUE(t_RBTkey(-1, 0, 0) < t_RBTkey(0, 0, 0));
}

TEST(SanityCheckTest, EmptyMapPassesAndStaysTransformable) {
    RBTmap_t map;
    bool transformable = false;
    std::string message;
    EXPECT_TRUE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_TRUE(transformable);
    EXPECT_EQ(message, "");
}

TEST(SanityCheckTest, SameMeetingAtTwoTablesIsRejected) {
    RBTmap_t map;
    AddRow(map, 1, 1, 1, 2, 1, 2, 2);
    AddRow(map, 1, 2, 1, 2, 3, 4, 2);  // same pairs, same slots, other table
    bool transformable = false;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Some pairs playing in two places at the same time\n");
    EXPECT_TRUE(transformable);  // set before the check, untouched after the failure
}

TEST(SanityCheckTest, PairAtTwoTablesOfOneRoundNamesPairAndFirstSlot) {
    // Mitchell numbering before renumbering: NS 1 at table 1, EW 1 at table 2.
    RBTmap_t map;
    AddRow(map, 2, 1, 1, 7, 3, 4, 2);
    AddRow(map, 2, 2, 8, 1, 5, 6, 2);
    bool transformable = false;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 1 is playing the same cards 3 twice \n");
}

TEST(SanityCheckTest, NsAndEwShareOnePairSlotSet) {
    // Pair 5 plays NS at table 1 and EW at table 2 on the same slot.
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(5, 6, 1);
    map[t_RBTkey(1, 1, 2)] = t_PairTupple(7, 5, 2);
    bool transformable = true;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 5 is playing the same cards 1 twice \n");
}

TEST(SanityCheckTest, SamePairOnBothSidesIsReportedAsEwPair) {
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(3, 3, 1);
    bool transformable = true;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 3 is playing the same cards 1 twice \n");
}

TEST(SanityCheckTest, NegativeNumbersPrintInTheirUnsignedForm) {
    RBTmap_t map;
    map[t_RBTkey(1, -1, 1)] = t_PairTupple(-2, 4, 1);
    map[t_RBTkey(1, -1, 2)] = t_PairTupple(-2, 5, 1);
    bool transformable = true;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 4294967294 is playing the same cards 4294967295 twice \n");
}

TEST(SanityCheckTest, EveryPairPlayingEveryBoardIsTransformable) {
    RBTmap_t map = FourPairsThreeRounds();
    // Pair 2 lacks boards 3-4 and pair 3 boards 1-2; a fourth round gives them those.
    AddRow(map, 4, 1, 2, 4, 3, 4, 2);
    AddRow(map, 4, 2, 3, 1, 1, 2, 2);
    bool transformable = false;
    std::string message;
    // Pairs 1 and 4 now play some boards twice, which is allowed.
    ASSERT_TRUE(SanityCheckRBTmap(map, transformable, message)) << message;
    EXPECT_TRUE(transformable);
}

TEST(SanityCheckTest, PairMissingOneBoardClearsTransformable) {
    RBTmap_t map = FourPairsThreeRounds();
    bool transformable = true;
    std::string message;
    // Pair 2 never plays boards 3-4.
    ASSERT_TRUE(SanityCheckRBTmap(map, transformable, message)) << message;
    EXPECT_FALSE(transformable);
}

TEST(SanityCheckTest, BoardsAbove4242LeaveTheLowerBoardsMissing) {
    // The lowest board starts at 4242, so boards 5000-5001 leave 4242..4999 unplayed.
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(1, 2, 5000);
    map[t_RBTkey(1, 2, 1)] = t_PairTupple(1, 2, 5001);
    bool transformable = true;
    std::string message;
    ASSERT_TRUE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_FALSE(transformable);
}

TEST(SanityCheckTest, BoardsBelowOneCountFromTheLowestToOne) {
    // The highest board starts at 1: a section on board 0 alone must also play board 1.
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(1, 2, 0);
    bool transformable = true;
    std::string message;
    ASSERT_TRUE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_FALSE(transformable);

    map[t_RBTkey(1, 2, 1)] = t_PairTupple(1, 2, 1);
    ASSERT_TRUE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_TRUE(transformable);
}

TEST(SanityCheckTest, ExtremeBoardNumbersDoNotOverflowTheRange) {
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(1, 2, INT32_MIN);
    map[t_RBTkey(1, 2, 1)] = t_PairTupple(1, 2, INT32_MAX);
    bool transformable = true;
    std::string message;
    ASSERT_TRUE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_FALSE(transformable);
}

TEST(PlayerFromCharTest, LettersInEitherCaseGiveTheirSeat) {
    const struct {
        char letter;
        t_player seat;
    } cases[] = {{'N', North}, {'n', North}, {'E', East}, {'e', East},
                 {'S', South}, {'s', South}, {'W', West}, {'w', West}};
    for (const auto& c : cases) {
        t_player seat = NoSeat;
        EXPECT_TRUE(PlayerFromChar(c.letter, seat)) << c.letter;
        EXPECT_EQ(seat, c.seat) << c.letter;
    }
}

TEST(PlayerFromCharTest, OtherCharactersGiveNoSeat) {
    for (char c : {'x', ' ', '\0', 'O', static_cast<char>(0xC9)}) {
        t_player seat = North;
        EXPECT_FALSE(PlayerFromChar(c, seat));
        EXPECT_EQ(seat, NoSeat);
    }
}

}  // namespace

namespace {

TEST(SanityCheckTest, MeetingCheckRunsBeforeThePairSlotCheck) {
    // The first entry in key order already repeats a pair at a slot, but a
    // repeated meeting later in the map still decides the message.
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(1, 1, 1);
    map[t_RBTkey(9, 20, 1)] = t_PairTupple(5, 6, 1);
    map[t_RBTkey(9, 20, 2)] = t_PairTupple(5, 6, 2);
    bool transformable = false;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Some pairs playing in two places at the same time\n");
}

TEST(SanityCheckTest, FirstOffenceInKeyOrderIsNamed) {
    // Pair 7 repeats at slot 5 (later in key order) and pair 3 at slot 2 (earlier);
    // pair 0 at slot 0 also appears once, which must not count as a repeat.
    RBTmap_t map;
    map[t_RBTkey(0, 0, 1)] = t_PairTupple(0, 9, 1);
    map[t_RBTkey(1, 2, 1)] = t_PairTupple(3, 4, 1);
    map[t_RBTkey(1, 2, 2)] = t_PairTupple(8, 3, 2);
    map[t_RBTkey(2, 5, 1)] = t_PairTupple(7, 1, 1);
    map[t_RBTkey(2, 5, 2)] = t_PairTupple(7, 2, 2);
    bool transformable = false;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 3 is playing the same cards 2 twice \n");

    map.erase(t_RBTkey(1, 2, 2));
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 7 is playing the same cards 5 twice \n");
}

TEST(SanityCheckTest, NsSeatBeforeEwSeatOfTheSameEntryDecidesTheOrder) {
    // Entry 2 holds pair 4 as EW at slot 1 (seen before as NS of entry 1) and
    // pair 6 as NS at slot 1 (seen as EW of entry 1): the NS seat is walked first.
    RBTmap_t map;
    map[t_RBTkey(1, 1, 1)] = t_PairTupple(4, 6, 1);
    map[t_RBTkey(1, 1, 2)] = t_PairTupple(6, 4, 2);
    bool transformable = false;
    std::string message;
    EXPECT_FALSE(SanityCheckRBTmap(map, transformable, message));
    EXPECT_EQ(message, "Pair 6 is playing the same cards 1 twice \n");
}

}  // namespace
