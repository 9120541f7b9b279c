// Connection strings as clients write them: the controller's own, and the
// variations ODBC allows in keyword case, blanks and braces.
#include "jetodbc/connection_string.h"

#include <gtest/gtest.h>

using jetodbc::ConnectionString;

TEST(ConnectionString, ReadsTheControllersString) {
    const auto cs = ConnectionString::Parse(
        "DBQ=/data/club.bws; DRIVER={Microsoft Access Driver (*.mdb)}; ExtendedAnsiSQL=1;");
    EXPECT_EQ(cs.Get("DBQ"), "/data/club.bws");
    EXPECT_EQ(cs.Get("DRIVER"), "Microsoft Access Driver (*.mdb)");
    EXPECT_EQ(cs.Get("ExtendedAnsiSQL"), "1");
    EXPECT_EQ(cs.pairs().size(), 3u);
}

TEST(ConnectionString, MatchesKeywordsWithoutCaseAndDropsBlanks) {
    const auto cs = ConnectionString::Parse("  dbq =  /a b/c.mdb  ;Driver={X}");
    EXPECT_EQ(cs.Get("DBQ"), "/a b/c.mdb");
    EXPECT_EQ(cs.Get("dRiVeR"), "X");
    EXPECT_FALSE(cs.Get("DSN").has_value());
}

TEST(ConnectionString, BracedValueKeepsSemicolonsAndDoubledBraces) {
    const auto cs = ConnectionString::Parse("DBQ={/tmp/a;b}}c.mdb} ; UID=x");
    EXPECT_EQ(cs.Get("DBQ"), "/tmp/a;b}c.mdb");
    EXPECT_EQ(cs.Get("UID"), "x");
}

TEST(ConnectionString, FirstOccurrenceWinsAndEmptyValuesCount) {
    const auto cs = ConnectionString::Parse("DBQ=first;dbq=second;PWD=;");
    EXPECT_EQ(cs.Get("DBQ"), "first");
    EXPECT_EQ(cs.Get("PWD"), "");
}

TEST(ConnectionString, SkipsPartsWithoutEqualsAndUnclosedBraceTakesTheRest) {
    const auto cs = ConnectionString::Parse("garbage;;=novalue;DBQ={/x;y");
    EXPECT_EQ(cs.Get("DBQ"), "/x;y");
    EXPECT_EQ(cs.pairs().size(), 1u);
    EXPECT_TRUE(ConnectionString::Parse("").pairs().empty());
}

TEST(ConnectionString, FormatsPairsSoThatTheyParseBack) {
    for (const std::string value : {"/plain.mdb", "/with;semi}brace.mdb", " padded ", ""}) {
        const std::string text = ConnectionString::FormatPair("DBQ", value);
        EXPECT_EQ(ConnectionString::Parse(text).Get("DBQ"), value) << text;
    }
    EXPECT_EQ(ConnectionString::FormatPair("DBQ", "/a;b}c"), "DBQ={/a;b}}c};");
}
