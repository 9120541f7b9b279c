#include "analysis/section_info.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::pair<std::string, std::string>> Entries(const boost::property_tree::ptree& tree) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& child : tree) entries.emplace_back(child.first, child.second.data());
    return entries;
}

TEST(SectionInfoTest, FreshSummaryWritesItsDefaultsInReportOrder) {
    CBWS_SectionInfo info;
    boost::property_tree::ptree tree;
    info.WriteToPtree(tree);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Section", "0"},
        {"SectionName", ""},
        {"Tables", "0"},
        {"Rounds", "0"},
        {"LowBoard", "1"},
        {"HighBoard", "1"},
        {"BoardsPerRound", "0"},
        {"BoardsNeeded", "0"},
        {"Pairs", "0"},
        {"Teams", "0"},
        {"First", "true"},
        {"Barometer", "true"},
        {"UnsortedRounds", "false"},
        {"Transformable", "true"},
        {"Team", "false"},
        {"Halfs", "0"},
        {"Individual", "false"},
        {"Ignore", "false"},
        {"MovementType", "0"},
        {"PlayerNamesRead", "0"},
        {"ReceivedDataRead", "0"},
        {"HandRecordsRead", "0"},
    };
    EXPECT_EQ(Entries(tree), expected);
}

TEST(SectionInfoTest, ValuesUseTheirReportTextForms) {
    CBWS_SectionInfo info;
    info.Section = 3;
    info.SectionName = "B";
    info.Tables = -1;           // counts are written unsigned
    info.PlayerNamesRead = -2;  // row counters are written signed
    info.MovementType = MovementStationaryNS;
    info.Ignore = true;
    boost::property_tree::ptree tree;
    EXPECT_EQ(&info.WriteToPtree(tree), &tree);
    EXPECT_EQ(tree.get<std::string>("Section"), "3");
    EXPECT_EQ(tree.get<std::string>("SectionName"), "B");
    EXPECT_EQ(tree.get<std::string>("Tables"), "4294967295");
    EXPECT_EQ(tree.get<std::string>("PlayerNamesRead"), "-2");
    EXPECT_EQ(tree.get<std::string>("MovementType"), "2");
    EXPECT_EQ(tree.get<std::string>("Ignore"), "true");
}

TEST(SectionInfoTest, WritingTwiceOverwritesInsteadOfAppending) {
    CBWS_SectionInfo info;
    boost::property_tree::ptree tree;
    info.WriteToPtree(tree);
    info.Rounds = 9;
    info.WriteToPtree(tree);
    EXPECT_EQ(tree.size(), 22u);
    EXPECT_EQ(tree.get<std::string>("Rounds"), "9");
}

TEST(SectionInfoTest, CopiesAreDeepAndMovesTransfer) {
    CBWS_SectionInfo original;
    original.RBTmap[t_RBTkey(1, 1, 1)] = t_PairTupple(1, 2, 3);
    original.Players[{1, North}] = PlayerEntry{"Ann", "17", 0, 0, 0};
    original.BoardRanges[{1, 2}] = 4;

    CBWS_SectionInfo copy(original);
    copy.RBTmap.clear();
    copy.Players[{1, North}].Name = "Bob";
    EXPECT_EQ(original.RBTmap.size(), 1u);
    EXPECT_EQ(original.Players.at({1, North}).Name, "Ann");

    CBWS_SectionInfo assigned;
    assigned = original;
    EXPECT_EQ(assigned.BoardRanges.at({1, 2}), 4);

    CBWS_SectionInfo moved(std::move(original));
    EXPECT_EQ(moved.RBTmap.size(), 1u);
    EXPECT_EQ(moved.Players.at({1, North}).Number, "17");
}

}  // namespace
