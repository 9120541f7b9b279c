// Catalog search patterns.
#include "jetodbc/search_pattern.h"

#include <gtest/gtest.h>

using jetodbc::IsLiteralPattern;
using jetodbc::MatchesSearchPattern;

TEST(SearchPattern, LiteralNamesMatchWithoutLetterCase) {
    EXPECT_TRUE(MatchesSearchPattern("Section", "SECTION"));
    EXPECT_TRUE(MatchesSearchPattern("r\xe9sultat", "R\xc9SULTAT"));
    EXPECT_FALSE(MatchesSearchPattern("Section", "Sections"));
    EXPECT_FALSE(MatchesSearchPattern("", "x"));
    EXPECT_TRUE(MatchesSearchPattern("", ""));
}

TEST(SearchPattern, PercentAndUnderscore) {
    EXPECT_TRUE(MatchesSearchPattern("%", ""));
    EXPECT_TRUE(MatchesSearchPattern("%Data", "RoundData"));
    EXPECT_TRUE(MatchesSearchPattern("R%D%a", "RoundData"));
    EXPECT_FALSE(MatchesSearchPattern("%Data", "DataRound"));
    EXPECT_TRUE(MatchesSearchPattern("Tabl_s", "Tables"));
    EXPECT_FALSE(MatchesSearchPattern("Tabl_s", "Tabls"));
    EXPECT_TRUE(MatchesSearchPattern("%a%a%a%", "banana"));
    EXPECT_FALSE(MatchesSearchPattern("%a%a%a%a%", "banana"));
}

TEST(SearchPattern, EscapeMakesWildcardsLiteral) {
    EXPECT_TRUE(MatchesSearchPattern("Custom\\_%", "Custom_Alias"));
    EXPECT_FALSE(MatchesSearchPattern("Custom\\_%", "CustomXAlias"));
    EXPECT_TRUE(MatchesSearchPattern("100\\%", "100%"));
    EXPECT_FALSE(MatchesSearchPattern("100\\%", "1000"));
    EXPECT_TRUE(IsLiteralPattern("Custom\\_Name"));
    EXPECT_FALSE(IsLiteralPattern("Custom_Name"));
    EXPECT_FALSE(IsLiteralPattern("%"));
}
