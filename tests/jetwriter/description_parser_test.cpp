// The description format: what each statement and value reads as, and that
// every fault is reported at its line.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "jetwriter/calendar.h"
#include "jetwriter/description_parser.h"
#include "test_support.h"

namespace {

using jetwriter::ColumnType;
using jetwriter::Description;
using jetwriter::DescriptionError;
using jetwriter::Value;

Value DateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return Value::DateTime(jetwriter::DayNumber(jetwriter::DaysSinceEpoch(year, month, day),
                                                hour * 3600 + minute * 60 + second));
}

// The value a one-column, one-row description gives for the literal.
Value ParseOneValue(const std::string& type, const std::string& literal) {
    const std::string text =
        "database created=2026-01-15\ntable T\ncolumn C " + type + "\nrow " + literal + "\n";
    Description description;
    DescriptionError error;
    EXPECT_TRUE(jetwriter::ParseDescription(text, &description, &error))
        << type << " " << literal << ": " << error.message;
    if (description.database.tables.empty() || description.database.tables[0].rows.empty()) {
        return Value::Text("<nothing parsed>");
    }
    return description.database.tables[0].rows[0][0];
}

TEST(DescriptionParser, ReadsTheExampleFile) {
    const std::string text =
        jetwriter_test::ReadFile(std::string(JETWRITER_SOURCE_DIR) + "/examples/minimal.jdesc");
    Description description;
    DescriptionError error;
    ASSERT_TRUE(jetwriter::ParseDescription(text, &description, &error)) << error.message;
    const jetwriter::Database& database = description.database;
    EXPECT_EQ(database.created, DateTime(2026, 1, 15, 9, 30).date_time());
    EXPECT_EQ(database.format, jetwriter::JetFormat::kJet4);
    ASSERT_EQ(database.tables.size(), 2u);
    EXPECT_EQ(description.tableLines, (std::vector<size_t>{5, 18}));
    EXPECT_EQ(description.rowLines, (std::vector<std::vector<size_t>>{{14, 15, 16}, {23, 24}}));

    const jetwriter::Table& players = database.tables[0];
    EXPECT_EQ(players.name, "Players");
    ASSERT_EQ(players.columns.size(), 8u);
    EXPECT_EQ(players.columns[1].name, "Player Name");
    EXPECT_EQ(players.columns[1].type, ColumnType::kText);
    EXPECT_EQ(players.columns[1].text_length, 50);
    EXPECT_EQ(players.columns[3].type, ColumnType::kYesNo);
    EXPECT_EQ(players.columns[7].type, ColumnType::kMemo);
    EXPECT_EQ(
        players.rows[1],
        (std::vector<Value>{Value::Integer(2), Value::Text("Jos\u00e9 \"Pepe\" N\u00fa\u00f1ez"),
                            Value::Text("Club, with comma"), Value::Boolean(false), Value::Null(),
                            Value::Currency(0), DateTime(2020, 11, 30, 18, 45), Value::Null()}));
    EXPECT_EQ(
        players.rows[2],
        (std::vector<Value>{Value::Integer(3), Value::Text("\u738b\u82b3"), Value::Null(),
                            Value::Boolean(true), Value::Real(-1.25), Value::Currency(-123456),
                            DateTime(1899, 12, 30, 19, 30), Value::Text("Line one\nline two")}));
}

TEST(DescriptionParser, ValuesOfEachType) {
    struct Case {
        const char* type;
        const char* literal;
        Value expected;
    };
    const std::vector<Case> cases = {
        {"Yes/No", "true", Value::Boolean(true)},
        {"Yes/No", "FALSE", Value::Boolean(false)},
        {"Yes/No", "Yes", Value::Boolean(true)},
        {"Yes/No", "no", Value::Boolean(false)},
        {"Yes/No", "1", Value::Boolean(true)},
        {"Yes/No", "0", Value::Boolean(false)},
        {"Byte", "255", Value::Integer(255)},
        {"Integer", "-32768", Value::Integer(-32768)},
        {"Integer", "+5", Value::Integer(5)},
        {"Long", "2147483647", Value::Integer(2147483647)},
        {"Long Integer", "null", Value::Null()},
        {"Single", "1.5e3", Value::Real(1500)},
        {"Double", "-0.25", Value::Real(-0.25)},
        {"Double", "1E-3", Value::Real(0.001)},
        {"Currency", "12.3456", Value::Currency(123456)},
        {"Currency", "-0.5", Value::Currency(-5000)},
        {"Currency", "7", Value::Currency(70000)},
        {"Currency", "922337203685477.5807", Value::Currency(INT64_MAX)},
        {"Currency", "-922337203685477.5808", Value::Currency(INT64_MIN)},
        {"Date/Time", "2026-01-15", DateTime(2026, 1, 15)},
        {"Date/Time", "2026-01-15 19:30", DateTime(2026, 1, 15, 19, 30)},
        {"Date/Time", "2026-01-15  19:30:05", DateTime(2026, 1, 15, 19, 30, 5)},
        {"Date/Time", "19:30", DateTime(1899, 12, 30, 19, 30)},
        {"Date/Time", "00:00:01", DateTime(1899, 12, 30, 0, 0, 1)},
        {"Date/Time", "0100-01-01", DateTime(100, 1, 1)},
        {"Date/Time", "NULL", Value::Null()},
        {"Text(20)", "\"a\\\"b\\\\c\\n\\r\\t\"", Value::Text("a\"b\\c\n\r\t")},
        {"Text(20)", "\"\\u{e9}\\u{4E00}\\u{1F600}\"", Value::Text("\u00e9\u4e00\U0001F600")},
        {"Text(20)", "\"\u00e9 # not a comment, \"", Value::Text("\u00e9 # not a comment, ")},
        {"Text(20)", "\"\"", Value::Text("")},
        {"Text(20)", "NULL", Value::Null()},
        {"Memo", "\"ab\" * 3", Value::Text("ababab")},
        {"Memo", "\"ab\"*0", Value::Text("")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseOneValue(c.type, c.literal), c.expected) << c.type << " " << c.literal;
    }
}

TEST(DescriptionParser, CommentsBlankLinesQuotedNamesAndKeywordCase) {
    const std::string text =
        "# leading comment\n"
        "\n"
        "DATABASE created = 2026-01-15 10:00:00   # trailing comment\n"
        "Table \"Round Data\"\n"
        "  column \"Name, full\" text ( 20 )\n"
        "\tCOLUMN N\u00e4me_2 Date/Time\n"
        "Row \"x\" , 12:00 # a comment\n";
    Description description;
    DescriptionError error;
    ASSERT_TRUE(jetwriter::ParseDescription(text, &description, &error))
        << error.line << ": " << error.message;
    const jetwriter::Table& table = description.database.tables.at(0);
    EXPECT_EQ(table.name, "Round Data");
    EXPECT_EQ(table.columns.at(0).name, "Name, full");
    EXPECT_EQ(table.columns.at(0).text_length, 20);
    EXPECT_EQ(table.columns.at(1).name, "N\u00e4me_2");
    EXPECT_EQ(table.rows.at(0).at(1), DateTime(1899, 12, 30, 12));
    EXPECT_EQ(description.database.created, DateTime(2026, 1, 15, 10).date_time());
}

TEST(DescriptionParser, FaultsAreReportedAtTheirLine) {
    const std::string head =
        "database created=2026-01-15\ntable T\ncolumn A Integer\n";  // lines 1-3
    struct Case {
        std::string text;
        size_t line;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"", 1, "must start with a database line"},
        {"# only a comment\ntable T\n", 2, "must start with a database line"},
        {"database created=2026-02-30\n", 1, "creation date must be"},
        {"database\n", 1, "expected created="},
        {head + "database created=2026-01-15\n", 4, "appears twice"},
        {head + "row 1\nfoo bar\n", 5,
         "expected database, format, table, column, drop column or row, not \"foo\""},
        {head + "column B Int\n", 4, "unknown column type \"Int\""},
        {head + "column B Text(0)\n", 4, "Text(n) takes n from 1 to 255"},
        {head + "column B Text(256)\n", 4, "Text(n) takes n from 1 to 255"},
        {head + "column B Text(x)\n", 4, "unknown column type"},
        {head + "column B Numeric(29,0)\n", 4,
         "Numeric(p,s) takes p from 1 to 28 and s from 0 to p"},
        {head + "column B Numeric(3,4)\n", 4,
         "Numeric(p,s) takes p from 1 to 28 and s from 0 to p"},
        {head + "column B Numeric(5)\n", 4, "unknown column type"},
        {head + "column B Numeric(5,2)\nrow 1, 1e3\n", 5, "takes a decimal number, not \"1e3\""},
        {head + "column B Integer\nrow 1\n", 5, "the row has 1 values for the table's 2 columns"},
        {head + "row 1, 2\n", 4, "more values than the table's 1 columns"},
        {head + "column B Integer\nrow 1,\n", 5, "value 2 (column B) is missing"},
        {head + "column B Text(5)\nrow 1, \"abc\n", 5, "no closing quote"},
        {head + "column B Text(5)\nrow 1, \"a\\qb\"\n", 5, "unknown escape \\q"},
        {head + "column B Text(5)\nrow 1, \"\\u{D800}\"\n", 5, "not a Unicode character"},
        {head + "column B Text(5)\nrow 1, \"\\u0041\"\n", 5, "\\u must be followed by {hex"},
        {head + "column B Memo\nrow 1, \"a\" * x\n", 5, "repeated a whole number of times"},
        {head + "column B Memo\nrow 1, \"ab\" * 9000000\n", 5, "longer than 16777216 bytes"},
        {"database created=2026-01-15\nrow 1\n", 2, "must follow a table line"},
        {"database created=2026-01-15\ncolumn A Integer\n", 2, "must follow a table line"},
        {"database created=2026-01-15\ntable T\nrow 1\n", 3, "must follow the table's column"},
        {head + "row 1\ncolumn B Integer\nrow 2\n", 6,
         "the row has 1 values for the table's 2 columns"},
        {head + "table t\n", 4, "table t appears twice"},
        {head + "column a Byte\n", 4, "column a appears twice"},
        {head + "table msysobjects\n", 4, "is taken"},
        {head + "table \"a.b\"\n", 4, "holds one of . ! ` [ ]"},
        {head + "table \" lead\"\n", 4, "starts with a space"},
        {head + "table\n", 4, "expected a table name"},
        {head + "table U extra\n", 4, "unexpected \"extra\""},
        {head + "table a.b\n", 4, "unexpected \".b\""},
        {head + "= 3\n", 4,
         "expected database, format, table, column, drop column or row, not \"= 3\""},
        {"database created=2026-01-15\ntable Empty\n\ntable Next\n", 2,
         "table Empty has no columns"},
        {head + "table Last\n", 4, "table Last has no columns"},
        {head + "row \xC3\x28\n", 4, "not valid UTF-8"},
        {head + "row \"1\"\n", 4, "column A (Integer) takes a value without quotes"},
        {head + "column B Text(5)\nrow 1, abc\n", 5, "takes a text in double quotes or NULL"},
        {head + "row 1.5\n", 4, "takes a whole number, not \"1.5\""},
        {head + "row 99999999999999999999\n", 4, "takes a whole number"},
        {head + "column B Currency\nrow 1, 1.23456\n", 5, "at most 4 decimals"},
        {head + "column B Currency\nrow 1, 922337203685477.5808\n", 5, "at most 4 decimals"},
        {head + "column B Date/Time\nrow 1, 2026-1-5\n", 5, "takes YYYY-MM-DD"},
        {head + "column B Date/Time\nrow 1, 24:00\n", 5, "takes YYYY-MM-DD"},
        {head + "column B Date/Time\nrow 1, 0099-12-31\n", 5, "years 100 to 9999"},
        {head + "column B Date/Time\nrow 1, 2026-01-15T10:00\n", 5, "takes YYYY-MM-DD"},
        {head + "column B Yes/No\nrow 1, maybe\n", 5, "takes true or false"},
        {head + "column B Double\nrow 1, inf\n", 5, "takes a number"},
        {head + "column B Double\nrow 1, nan\n", 5, "takes a number"},
        {head + "column B Double\nrow 1, 0x10\n", 5, "takes a number"},
    };
    for (const Case& c : cases) {
        Description description;
        DescriptionError error;
        EXPECT_FALSE(jetwriter::ParseDescription(c.text, &description, &error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text << "\n-> " << error.message;
        EXPECT_NE(error.message.find(c.message), std::string::npos)
            << c.text << "\n-> " << error.message;
    }
}

}  // namespace
