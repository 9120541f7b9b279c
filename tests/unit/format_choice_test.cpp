#include "run/format_choice.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::map<eImportType, unsigned> AllScoring(unsigned score) {
    std::map<eImportType, unsigned> scores;
    for (eImportType format : kFormatTryOrder) scores[format] = score;
    return scores;
}

TEST(FormatChoiceTest, TryOrderHoldsEachFormatOnceInTheRunsOrder) {
    std::set<int> seen;
    for (eImportType format : kFormatTryOrder) {
        EXPECT_TRUE(seen.insert(format).second) << format;
        EXPECT_GE(format, kFirstImportType);
        EXPECT_LE(format, kLastImportType);
    }
    EXPECT_EQ(seen.size(), 24u);
    EXPECT_EQ(kFormatTryOrder[0], DK0_BWS);
    EXPECT_EQ(kFormatTryOrder[3], Ups);
    EXPECT_EQ(kFormatTryOrder[4], US0_BWS);
    EXPECT_EQ(kFormatTryOrder[10], US6_BWS);
    EXPECT_EQ(kFormatTryOrder[16], SW4_BWS);
    EXPECT_EQ(kFormatTryOrder[22], IS0_BWS);
    EXPECT_EQ(kFormatTryOrder[23], SC0_BWS);
}

TEST(FormatChoiceTest, ScoreIsTheCounterSumOrUnusable) {
    const unsigned counters[3] = {1, 2, 4};
    EXPECT_EQ(ScoreDetection(true, counters), 7u);
    EXPECT_EQ(ScoreDetection(false, counters), kScoreUnusable);
    const unsigned none[3] = {0, 0, 0};
    EXPECT_EQ(ScoreDetection(true, none), 0u);
    EXPECT_EQ(ScoreDetection(false, none), kScoreUnusable);
}

TEST(FormatChoiceTest, CountersThatWouldWrapToZeroDoNotPass) {
    const unsigned counters[3] = {0xFFFFFFFFu, 1, 0};
    EXPECT_NE(ScoreDetection(true, counters), 0u);
}

TEST(FormatChoiceTest, LowestNumberAmongZeroScoresWins) {
    auto scores = AllScoring(kScoreUnusable);
    scores[DK0_BWS] = 0;  // tried first, number 6
    scores[US0_BWS] = 0;  // tried fifth, number 5
    eImportType chosen = US6_BWS;
    ASSERT_TRUE(ChooseFormat(scores, &chosen));
    EXPECT_EQ(chosen, US0_BWS);
}

TEST(FormatChoiceTest, BestNonZeroScoreIsNotChosen) {
    auto scores = AllScoring(kScoreUnusable);
    scores[AU2_BWS] = 1;
    eImportType chosen = US6_BWS;
    EXPECT_FALSE(ChooseFormat(scores, &chosen));
    EXPECT_EQ(chosen, US6_BWS);
}

TEST(FormatChoiceTest, EveryTestFailingChoosesNothing) {
    eImportType chosen = US6_BWS;
    EXPECT_FALSE(ChooseFormat(AllScoring(kScoreUnusable), &chosen));
    EXPECT_FALSE(ChooseFormat({}, &chosen));
}

TEST(FormatChoiceTest, ZeroAfterNonZeroScoresIsFound) {
    auto scores = AllScoring(3);
    scores[SC0_BWS] = 0;
    eImportType chosen = US0_BWS;
    ASSERT_TRUE(ChooseFormat(scores, &chosen));
    EXPECT_EQ(chosen, SC0_BWS);
}

}  // namespace
