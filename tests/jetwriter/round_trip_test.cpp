// Round trips: databases written by jetwriter and read back through the MDB
// Tools commands (mdb-export, mdb-schema, mdb-sql, mdb-tables), field for
// field and type for type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "jetwriter/calendar.h"
#include "jetwriter/description_parser.h"
#include "jetwriter/jet_page.h"
#include "jetwriter/jet_writer.h"
#include "test_support.h"

namespace {

using jetwriter::Column;
using jetwriter::ColumnType;
using jetwriter::Database;
using jetwriter::JetFormat;
using jetwriter::MakeColumn;
using jetwriter::MakeTextColumn;
using jetwriter::Table;
using jetwriter::Value;
using jetwriter_test::Field;

Value DateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return Value::DateTime(jetwriter::DayNumber(jetwriter::DaysSinceEpoch(year, month, day),
                                                hour * 3600 + minute * 60 + second));
}

Value TimeOnly(int hour, int minute, int second) {
    return DateTime(1899, 12, 30, hour, minute, second);
}

// Repeats the characters of pieces (UTF-8, one character each) cyclically
// until count characters are written.
std::string CycleText(const std::vector<std::string>& pieces, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += pieces[i % pieces.size()];
    return text;
}

// The date mdb-export shows for a day number, worked out with the C
// library's calendar rather than jetwriter's.
std::string ShownDate(double dayNumber) {
    constexpr long long kUnixEpochDay = 25569;  // 1970-01-01
    const time_t seconds =
        static_cast<time_t>(std::llround(dayNumber * 86400.0) - kUnixEpochDay * 86400);
    std::tm calendar{};
    gmtime_r(&seconds, &calendar);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &calendar);
    return text;
}

std::string ShownCurrency(int64_t tenThousandths) {
    const uint64_t magnitude = tenThousandths < 0 ? 0 - static_cast<uint64_t>(tenThousandths)
                                                  : static_cast<uint64_t>(tenThousandths);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return (tenThousandths < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

// The type mdb-schema names for a column.
std::string SchemaType(const Column& column) {
    switch (column.type) {
        case ColumnType::kYesNo:
            return "Boolean NOT NULL";
        case ColumnType::kByte:
            return "Byte";
        case ColumnType::kInteger:
            return "Integer";
        case ColumnType::kLongInteger:
            return "Long Integer";
        case ColumnType::kSingle:
            return "Single";
        case ColumnType::kDouble:
            return "Double";
        case ColumnType::kCurrency:
            return "Currency";
        case ColumnType::kDateTime:
            return "DateTime";
        case ColumnType::kText:
            return "Text (" + std::to_string(column.text_length) + ")";
        case ColumnType::kMemo:
            return "Memo/Hyperlink (255)";
        default:
            return "?";
    }
}

// Whether a field read back shows value; *why says how it differs.
bool FieldShows(const Column& column, const Value& value, const Field& field, std::string* why) {
    const std::string shown = field ? "\"" + *field + "\"" : "NULL";
    *why = "column " + column.name + " read back as " + shown.substr(0, 80);
    const bool emptyText = value.kind() == Value::Kind::kText && value.text().empty();
    if (value.is_null() || emptyText) return !field;  // MDB Tools reads "" as NULL
    if (!field) return false;
    switch (column.type) {
        case ColumnType::kYesNo:
            return *field == (value.boolean() ? "1" : "0");
        case ColumnType::kByte:
        case ColumnType::kInteger:
        case ColumnType::kLongInteger:
            return *field == std::to_string(value.integer());
        case ColumnType::kSingle:
        case ColumnType::kDouble: {
            // mdb-export prints 8 (Single) or 16 (Double) significant digits,
            // one short of a round trip: allow a unit in the last place. Read
            // as long double, as the rounded text may exceed the type's range.
            const long double expected = column.type == ColumnType::kSingle
                                             ? static_cast<float>(value.real())
                                             : value.real();
            const long double tolerance = column.type == ColumnType::kSingle ? 1.2e-7L : 2.3e-16L;
            const long double read = std::strtold(field->c_str(), nullptr);
            return std::fabs(read - expected) <= std::fabs(expected) * tolerance;
        }
        case ColumnType::kCurrency:
            return *field == ShownCurrency(value.currency());
        case ColumnType::kDateTime:
            return *field == ShownDate(value.date_time());
        case ColumnType::kText:
        case ColumnType::kMemo:
            return *field == value.text();
        default:
            return false;
    }
}

class RoundTrip : public ::testing::Test {
  protected:
    // Writes database to a new file in the scratch directory; returns its path.
    std::string Write(const Database& database, const std::string& name = "test.mdb") {
        const std::string path = scratch_.File(name);
        const std::string failure = jetwriter::WriteJetFile(path, database);
        EXPECT_EQ(failure, "");
        return path;
    }

    // Checks that table reads back from file exactly: its columns and types,
    // its row count, and every field.
    void ExpectReadsBack(const std::string& file, const Table& table) {
        const auto schema = jetwriter_test::SchemaColumns(file, table.name);
        ASSERT_EQ(schema.size(), table.columns.size());
        for (size_t i = 0; i < schema.size(); ++i) {
            EXPECT_EQ(schema[i].first, table.columns[i].name);
            EXPECT_EQ(schema[i].second, SchemaType(table.columns[i])) << table.columns[i].name;
        }
        EXPECT_EQ(jetwriter_test::CountRows(file, "[" + table.name + "]"),
                  static_cast<long>(table.rows.size()));
        const jetwriter_test::Rows rows = jetwriter_test::ExportTable(file, table.name);
        ASSERT_EQ(rows.size(), table.rows.size());
        int mismatches = 0;
        for (size_t r = 0; r < rows.size() && mismatches < 10; ++r) {
            ASSERT_EQ(rows[r].size(), table.columns.size()) << "row " << r + 1;
            for (size_t c = 0; c < rows[r].size(); ++c) {
                std::string why;
                if (!FieldShows(table.columns[c], table.rows[r][c], rows[r][c], &why)) {
                    ADD_FAILURE() << "table " << table.name << ", row " << r + 1 << ": " << why;
                    ++mismatches;
                }
            }
        }
    }

    jetwriter_test::ScratchDirectory scratch_;
};

// The tests below write Jet 4 unless they say otherwise: most of them store
// characters beyond Jet 3's Windows-1252.
Database OneTable(Table table, jetwriter::JetFormat format = jetwriter::JetFormat::kJet4) {
    Database database;
    database.format = format;
    database.created = jetwriter::DayNumber(jetwriter::DaysSinceEpoch(2026, 1, 15), 0);
    database.tables.push_back(std::move(table));
    return database;
}

TEST_F(RoundTrip, EveryColumnTypeWithExtremesAndNulls) {
    Table table;
    table.name = "Every Type";
    table.columns = {MakeColumn("Played", ColumnType::kYesNo),
                     MakeColumn("Tables", ColumnType::kByte),
                     MakeColumn("Section", ColumnType::kInteger),
                     MakeColumn("Player Id", ColumnType::kLongInteger),
                     MakeColumn("Percentage", ColumnType::kSingle),
                     MakeColumn("Score", ColumnType::kDouble),
                     MakeColumn("Fee", ColumnType::kCurrency),
                     MakeColumn("When", ColumnType::kDateTime),
                     MakeTextColumn("Name", 50),
                     MakeColumn("Remarks", ColumnType::kMemo)};
    table.rows = {
        {Value::Boolean(true), Value::Integer(255), Value::Integer(32767),
         Value::Integer(2147483647), Value::Real(3.4028234e38), Value::Real(1.7976931348623157e308),
         Value::Currency(INT64_MAX), DateTime(2026, 1, 15, 19, 30, 5), Value::Text("North"),
         Value::Text("short memo")},
        {Value::Boolean(false), Value::Integer(0), Value::Integer(-32768),
         Value::Integer(-2147483647 - 1), Value::Real(-1.17549435e-38), Value::Real(-4.9e-324),
         Value::Currency(INT64_MIN), DateTime(1899, 12, 30), Value::Text("South"), Value::Text("")},
        {Value::Boolean(false), Value::Null(), Value::Null(), Value::Null(), Value::Null(),
         Value::Null(), Value::Null(), Value::Null(), Value::Null(), Value::Null()},
        {Value::Boolean(true), Value::Integer(1), Value::Integer(-1), Value::Integer(0),
         Value::Real(0.1), Value::Real(1.0 / 3.0), Value::Currency(-5000), TimeOnly(23, 59, 59),
         Value::Text("\"quoted\", with comma\nand a new line"), Value::Null()},
    };
    const Database database = OneTable(table);
    ExpectReadsBack(Write(database), table);
}

TEST_F(RoundTrip, Jet3EveryTypeWindows1252TextsMemosAndLongRows) {
    Table table;
    table.name = "Jet 3";
    table.columns = {MakeColumn("Played", ColumnType::kYesNo),
                     MakeColumn("Tables", ColumnType::kByte),
                     MakeColumn("Section", ColumnType::kInteger),
                     MakeColumn("Player Id", ColumnType::kLongInteger),
                     MakeColumn("Percentage", ColumnType::kSingle),
                     MakeColumn("Score", ColumnType::kDouble),
                     MakeColumn("Fee", ColumnType::kCurrency),
                     MakeColumn("When", ColumnType::kDateTime),
                     MakeTextColumn("Name", 255),
                     MakeTextColumn("Other", 255),
                     MakeColumn("Remarks", ColumnType::kMemo)};
    // Windows-1252 letters, including those at 0x80 to 0x9F; texts long
    // enough that the rows pass 256 and 512 bytes (Jet 3's jump table); memos
    // in the row, in one long-value row (2036 bytes at most) and chained.
    const std::string letters = "aéøß€Š’ŸZ ÿ";
    int64_t id = 0;
    for (size_t nameLength : {0, 1, 200, 255}) {
        for (size_t memoLength : {0, 1, 256, 257, 2036, 2037, 5000}) {
            ++id;
            table.rows.push_back(
                {Value::Boolean(id % 2 == 0), Value::Integer(id), Value::Integer(-id),
                 Value::Integer(id * 100000), Value::Real(id / 8.0), Value::Real(id / 3.0),
                 Value::Currency(id * 12345), DateTime(2026, 1, 15, 19, 30, static_cast<int>(id)),
                 Value::Text(CycleText({"N", "é", "€"}, nameLength)),
                 Value::Text(CycleText({"o", "Œ"}, nameLength)),
                 memoLength == 0 ? Value::Null()
                                 : Value::Text(CycleText({"m", "æ", "•"}, memoLength))});
        }
    }
    table.rows.push_back({Value::Boolean(true), Value::Integer(255), Value::Integer(32767),
                          Value::Integer(2147483647), Value::Real(3.4028234e38),
                          Value::Real(-4.9e-324), Value::Currency(INT64_MIN),
                          DateTime(1899, 12, 30), Value::Text(letters), Value::Null(),
                          Value::Text(letters)});
    const std::string file = Write(OneTable(table, jetwriter::JetFormat::kJet3));
    EXPECT_EQ(jetwriter_test::RunCommand({"mdb-ver", file}).output, "JET3\n");
    ExpectReadsBack(file, table);

    // A character Windows-1252 lacks is refused, never written as '?'.
    table.rows[1][8] = Value::Text("一");
    std::vector<uint8_t> image;
    jetwriter::WriteProblem problem;
    EXPECT_FALSE(
        jetwriter::BuildJetImage(OneTable(table, jetwriter::JetFormat::kJet3), &image, &problem));
    EXPECT_EQ(problem.row, 1u);
    EXPECT_NE(problem.message.find("U+4E00"), std::string::npos) << problem.message;
}

// Rows written before a column was added, deleted rows and moved rows, as a
// description gives them, read back through mdb-export. Jet 3 only, as real
// files with such history are: mdb-export misreads a Jet 4 row written
// before the table's first variable column (the driver's history tests read
// those).
TEST_F(RoundTrip, ColumnAddedAfterRowsDeletedAndMovedRows) {
    const std::string text =
        "database created=2026-01-15\nformat jet3\ntable RoundData\n"
        "column Section Integer\ncolumn Round Integer\n"
        "row 1, 1\ndeleted row 1, 2\nmoved row 1, 3\n"
        "column Boards Text(20)\ncolumn Extra Integer\n"
        "row 2, 1, \"1-3\", 7\nrow 2, 2, NULL, NULL\n";
    jetwriter::Description description;
    jetwriter::DescriptionError error;
    ASSERT_TRUE(jetwriter::ParseDescription(text, &description, &error)) << error.message;
    const std::string file = Write(description.database, "history.mdb");
    // The moved row is read once, where its new page comes.
    const jetwriter_test::Rows expected = {{Field("1"), Field("1"), std::nullopt, std::nullopt},
                                           {Field("2"), Field("1"), Field("1-3"), Field("7")},
                                           {Field("2"), Field("2"), std::nullopt, std::nullopt},
                                           {Field("1"), Field("3"), std::nullopt, std::nullopt}};
    EXPECT_EQ(jetwriter_test::ExportTable(file, "RoundData"), expected);
    EXPECT_EQ(jetwriter_test::CountRows(file, "RoundData"), 4);
}

// Deleted columns, fixed and variable, with rows written before and after:
// the columns left read as they were written, and a column added afterwards
// takes the next number.
TEST_F(RoundTrip, DroppedColumnsLeaveTheOthersAsWritten) {
    const std::string text =
        "database created=2026-01-15\ntable T\n"
        "column A Integer\ncolumn B Text(10)\ncolumn C Integer\ncolumn D Text(5)\n"
        "row 1, \"one\", 10, \"x\"\ndrop column B\nrow 2, 20, \"y\"\n"
        "drop column D\nrow 3, 30\ncolumn E Text(4)\nrow 4, 40, \"e\"\n";
    jetwriter::Description description;
    jetwriter::DescriptionError error;
    ASSERT_TRUE(jetwriter::ParseDescription(text, &description, &error)) << error.message;
    const std::string file = Write(description.database, "dropped.mdb");
    const jetwriter_test::Rows expected = {{Field("1"), Field("10"), std::nullopt},
                                           {Field("2"), Field("20"), std::nullopt},
                                           {Field("3"), Field("30"), std::nullopt},
                                           {Field("4"), Field("40"), Field("e")}};
    EXPECT_EQ(jetwriter_test::ExportTable(file, "T"), expected);
    // A row names only the columns left when it was written.
    ASSERT_FALSE(jetwriter::ParseDescription(
        "database created=2026-01-15\ntable T\ncolumn A Integer\ncolumn B Integer\n"
        "drop column B\nrow 1, 2\n",
        &description, &error));
    EXPECT_EQ(error.line, 6u);
}

// Numeric(p,s), a Jet 4 type (Access 97 has none): values at the edges of
// their precision and scale read back through mdb-export (which shows every
// decimal of the scale); a value with more decimals or digits than its
// column allows is refused, and so is the type in a Jet 3 file.
TEST_F(RoundTrip, NumericColumnsInJet4Only) {
    const std::string head =
        "database created=2026-01-15\nformat jet4\ntable Amounts\n"
        "column Amount Numeric(12,3)\ncolumn Whole Numeric(28, 0)\ncolumn Tiny Numeric(1,1)\n";
    jetwriter::Description description;
    jetwriter::DescriptionError error;
    ASSERT_TRUE(jetwriter::ParseDescription(head + "row -1110.554, 1, .5\n"
                                                   "row 0, 9999999999999999999999999999, -0.1\n"
                                                   "row NULL, -4, NULL\n"
                                                   "row 123456789.012, +0, 0\n",
                                            &description, &error))
        << error.message;
    const std::string file = Write(description.database, "numeric.mdb");
    EXPECT_EQ(jetwriter_test::SchemaColumns(file, "Amounts"),
              (std::vector<std::pair<std::string, std::string>>{{"Amount", "Numeric (12, 3)"},
                                                                {"Whole", "Numeric (28, 0)"},
                                                                {"Tiny", "Numeric (1, 1)"}}));
    const jetwriter_test::Rows expected = {
        {Field("-1110.554"), Field("1"), Field("0.5")},
        {Field("0.000"), Field("9999999999999999999999999999"), Field("-0.1")},
        {std::nullopt, Field("-4"), std::nullopt},
        {Field("123456789.012"), Field("0"), Field("0.0")}};
    EXPECT_EQ(jetwriter_test::ExportTable(file, "Amounts"), expected);

    const std::vector<std::pair<std::string, std::string>> refused = {
        {head + "row 1.2345, 1, 0\n", "1.2345 has more decimals than the 3 of Numeric(12,3)"},
        {head + "row 1234567890, 1, 0\n",
         "1234567890 has more digits than the 12 of Numeric(12,3)"},
        {head + "row 0, 1, 1\n", "column Tiny: 1 has more digits than the 1 of Numeric(1,1)"},
        {"database created=2026-01-15\ntable T\ncolumn Amount Numeric(5,2)\n",
         "column Amount: Numeric needs a Jet 4 file"}};
    for (const auto& [text, message] : refused) {
        ASSERT_TRUE(jetwriter::ParseDescription(text, &description, &error)) << error.message;
        std::vector<uint8_t> image;
        jetwriter::WriteProblem problem;
        EXPECT_FALSE(jetwriter::BuildJetImage(description.database, &image, &problem)) << text;
        EXPECT_NE(problem.message.find(message), std::string::npos) << problem.message;
    }
}

TEST_F(RoundTrip, MemosInTheRowOnOneLongValuePageAndChained) {
    Table table;
    table.name = "Memos";
    table.columns = {MakeColumn("Id", ColumnType::kLongInteger),
                     MakeColumn("First", ColumnType::kMemo),
                     MakeColumn("Second", ColumnType::kMemo)};
    // Character counts around each storage limit: up to 256 bytes stay in
    // the row, up to 4080 bytes make one long-value row, more make a chain of
    // 4076-byte pieces. Compressed text takes 2 + n bytes, U+4E00 2n bytes.
    const std::vector<size_t> compressed = {1, 254, 255, 4078, 4079, 8150, 8151, 65535, 70000};
    const std::vector<size_t> plain = {1, 128, 129, 2040, 2041, 4076, 4077, 32767, 35000};
    int64_t id = 0;
    for (size_t i = 0; i < compressed.size(); ++i) {
        table.rows.push_back({Value::Integer(++id),
                              Value::Text(CycleText({"m", "e", "\u00f8"}, compressed[i])),
                              Value::Text(CycleText({"\u4e00"}, plain[i]))});
    }
    // A chain whose last piece shares a page with an earlier long value.
    table.rows.push_back({Value::Integer(++id), Value::Text(std::string(300, 's')),
                          Value::Text(CycleText({"\u4e00", "\u4e01"}, 3000))});
    table.rows.push_back({Value::Integer(++id), Value::Text(std::string(65536, 'x')),
                          Value::Text(CycleText({"\u4e00"}, 32768))});  // 64 KB either way
    table.rows.push_back({Value::Integer(++id), Value::Null(), Value::Text("")});
    ExpectReadsBack(Write(OneTable(table)), table);
}

TEST_F(RoundTrip, TwentyFiveThousandRowsOverMoreThan512Pages) {
    Table table;
    table.name = "ReceivedData";
    table.columns = {MakeColumn("Id", ColumnType::kLongInteger),
                     MakeTextColumn("Contract", 100),
                     MakeTextColumn("Wide", 60),
                     MakeColumn("Score", ColumnType::kDouble),
                     MakeColumn("Logged", ColumnType::kDateTime),
                     MakeColumn("Processed", ColumnType::kYesNo),
                     MakeColumn("Board", ColumnType::kByte)};
    constexpr int kRows = 25000;
    for (int i = 0; i < kRows; ++i) {
        table.rows.push_back(
            {Value::Integer(i), Value::Text("Contract " + std::to_string(i) + std::string(60, 'c')),
             Value::Text(CycleText({"\u4e01", "\u00e9"}, 20 + i % 40)), Value::Real(i * 0.25 - 100),
             DateTime(2026, 1 + i % 12, 1 + i % 28, i % 24, i % 60, (7 * i) % 60),
             Value::Boolean(i % 3 == 0), i % 5 == 0 ? Value::Null() : Value::Integer(i % 256)});
    }
    const std::string file = Write(OneTable(table));
    // Pages past the 512th of the table are only found through a usage map
    // longer than Access's 64 bytes.
    EXPECT_GT(jetwriter_test::ReadFile(file).size(), 1000 * jetwriter::kPageSize);
    ExpectReadsBack(file, table);
}

// A Jet 3 row holds an inline map of at most 2031 bytes, 16,248 pages: a
// table of one row a page over 16,400 pages is found through a reference map
// (bitmap pages of 16,352 pages each, so two of them), and the table written
// after it keeps its own inline map.
TEST_F(RoundTrip, Jet3TableBeyondWhatAnInlineUsageMapMarks) {
    Table big;
    big.name = "Big";
    big.columns = {MakeColumn("Id", ColumnType::kLongInteger)};
    for (int i = 0; i < 4; ++i) big.columns.push_back(MakeTextColumn("T" + std::to_string(i), 255));
    constexpr int kRows = 16400;
    for (int i = 0; i < kRows; ++i) {
        std::vector<Value> row = {Value::Integer(i)};
        const std::string number = std::to_string(i);
        for (int t = 0; t < 4; ++t)
            row.push_back(Value::Text(number + std::string(255 - number.size(), 'a' + t)));
        big.rows.push_back(std::move(row));
    }
    Table small;
    small.name = "Small";
    small.columns = {MakeColumn("N", ColumnType::kInteger)};
    small.rows = {{Value::Integer(1)}, {Value::Integer(2)}};
    Database database = OneTable(big, jetwriter::JetFormat::kJet3);
    database.tables.push_back(small);
    const std::string file = Write(database);
    EXPECT_GT(jetwriter_test::ReadFile(file).size(), kRows * size_t{2048});
    ExpectReadsBack(file, big);
    ExpectReadsBack(file, small);
}

// Jet 3 rows of 255 variable columns whose data ends anywhere from 256 to
// 766 bytes: past 480 or 736 the rows need two jumps more than their data
// reaches, which readers tell apart only when the writer moves the data up.
TEST_F(RoundTrip, Jet3RowsOf255VariableColumnsAcrossJumpBoundaries) {
    Table table;
    table.name = "Wide";
    for (int i = 0; i < 255; ++i)
        table.columns.push_back(MakeTextColumn("T" + std::to_string(i), 3));
    for (int base = 1; base <= 2; ++base) {
        for (int longer = 0; longer <= 255; longer += 3) {
            std::vector<Value> row;
            for (int i = 0; i < 255; ++i) {
                const size_t length = static_cast<size_t>(base + (i < longer ? 1 : 0));
                row.push_back(Value::Text(std::string(length, static_cast<char>('a' + i % 26))));
            }
            table.rows.push_back(std::move(row));
        }
    }
    ExpectReadsBack(Write(OneTable(table, jetwriter::JetFormat::kJet3)), table);
}

// The round trips below run in both formats.
class RoundTripInEachFormat : public RoundTrip, public ::testing::WithParamInterface<JetFormat> {};

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripInEachFormat,
                         ::testing::Values(JetFormat::kJet3, JetFormat::kJet4),
                         [](const ::testing::TestParamInfo<JetFormat>& info) {
                             return std::string(info.param == JetFormat::kJet3 ? "Jet3" : "Jet4");
                         });

TEST_P(RoundTripInEachFormat, TextsOfEveryLengthCompressedOrNot) {
    Table table;
    table.name = "Texts";
    table.columns = {MakeColumn("Length", ColumnType::kInteger), MakeTextColumn("Text", 255)};
    // Jet 4: Windows-1252 letters compress; a text holding U+0100 or U+4E00
    // cannot, however few; U+4E01 can (its low byte is not zero), in
    // two-byte runs. Jet 3 stores a byte a character, Windows-1252 only.
    std::vector<std::vector<std::string>> alphabets = {
        {"a", "\u00e9", "\u00f8", "\u00df", "Z", " ", "\u20ac"},
    };
    if (GetParam() == JetFormat::kJet3) {
        alphabets.push_back({"\u0160", "\u2019", "\u0178", "\u00ff", "\u2022", "x"});
    } else {
        alphabets.push_back({"\u0100", "x", "\u4e00"});
        alphabets.push_back({"a", "\u00e9", "b", "c", "d", "e", "\u0100"});  // mostly narrow
        alphabets.push_back({"x", "y", "z", "w", "\u4e00", "v", "u"});
        alphabets.push_back({"\u4e01", "\u4e01", "b", "\u00e9", "c", "d", "e"});
    }
    for (const auto& alphabet : alphabets) {
        for (size_t length = 0; length <= 255; ++length) {
            table.rows.push_back({Value::Integer(static_cast<int64_t>(length)),
                                  Value::Text(CycleText(alphabet, length))});
        }
    }
    ExpectReadsBack(Write(OneTable(table, GetParam())), table);
}

TEST_P(RoundTripInEachFormat, DatesTimesAndDateTimes) {
    Table table;
    table.name = "Dates";
    table.columns = {MakeColumn("Id", ColumnType::kInteger),
                     MakeColumn("When", ColumnType::kDateTime)};
    const std::vector<Value> values = {
        DateTime(2026, 1, 15),
        DateTime(2000, 2, 29),
        DateTime(1900, 2, 28),
        DateTime(1900, 3, 1),
        DateTime(1999, 12, 31, 23, 59, 59),
        TimeOnly(0, 0, 1),
        TimeOnly(12, 0, 0),
        TimeOnly(19, 30, 0),
        DateTime(2024, 6, 30, 6, 5, 4),
        DateTime(4000, 1, 1, 0, 0, 0),
        DateTime(1970, 1, 1),
    };
    for (size_t i = 0; i < values.size(); ++i) {
        table.rows.push_back({Value::Integer(static_cast<int64_t>(i)), values[i]});
    }
    ExpectReadsBack(Write(OneTable(table, GetParam())), table);
}

TEST_P(RoundTripInEachFormat, TableDefinitionOverSeveralPages) {
    // 150 columns with long names take several pages of definition.
    Table table;
    table.name = "Wide";
    for (int i = 0; i < 150; ++i) {
        const std::string name = "A rather long column name " + std::to_string(1000 + i);
        table.columns.push_back(i % 3 == 0   ? MakeColumn(name, ColumnType::kYesNo)
                                : i % 3 == 1 ? MakeColumn(name, ColumnType::kLongInteger)
                                             : MakeTextColumn(name, 10));
    }
    for (int r = 0; r < 3; ++r) {
        std::vector<Value> row;
        for (int i = 0; i < 150; ++i) {
            const int v = r * 1000 + i;
            row.push_back(i % 3 == 0   ? Value::Boolean(v % 2 == 1)
                          : i % 3 == 1 ? Value::Integer(v)
                          : r == 1     ? Value::Null()
                                       : Value::Text("v" + std::to_string(v)));
        }
        table.rows.push_back(row);
    }
    ExpectReadsBack(Write(OneTable(table, GetParam())), table);
}

// A row as long as a data page holds: the page less its header and the
// row's offset entry, 2048 - 10 - 2 = 2036 bytes in Jet 3 and
// 4096 - 14 - 2 = 4080 in Jet 4. One byte more is refused.
TEST_P(RoundTripInEachFormat, RowFillingAWholePage) {
    const bool jet3 = GetParam() == JetFormat::kJet3;
    Table table;
    table.name = "Full";
    for (int i = 0; i < 9; ++i)
        table.columns.push_back(MakeTextColumn("T" + std::to_string(i), 255));
    std::vector<Value> row;
    if (jet3) {
        // Nine texts of 7 x 255 + 130 + 100 bytes (a byte a character), plus
        // 1 (column count) + 10 (data end and nine offsets, a byte each) + 7
        // (jump table: (2036 - 1) / 256 bytes) + 1 (variable-column count)
        // + 2 (null mask) = 2036 bytes.
        for (int i = 0; i < 7; ++i)
            row.push_back(Value::Text(CycleText({"\u00e9", "\u20ac", "a"}, 255)));
        row.push_back(Value::Text(std::string(130, 'a')));
        row.push_back(Value::Text(std::string(100, 'b')));
    } else {
        // Nine texts: 7 x 510 plain bytes, 257 and 227 compressed bytes, plus
        // 2 (column count) + 22 (offset table) + 2 (null mask) = 4080 bytes.
        for (int i = 0; i < 7; ++i) row.push_back(Value::Text(CycleText({"\u4e00"}, 255)));
        row.push_back(Value::Text(std::string(255, 'a')));
        row.push_back(Value::Text(std::string(225, 'b')));
    }
    table.rows = {row, row};
    ExpectReadsBack(Write(OneTable(table, GetParam())), table);

    table.rows[1][8] = Value::Text(std::string(jet3 ? 101 : 226, 'b'));
    std::vector<uint8_t> image;
    jetwriter::WriteProblem problem;
    EXPECT_FALSE(jetwriter::BuildJetImage(OneTable(table, GetParam()), &image, &problem));
    EXPECT_EQ(problem.row, 1u);
    EXPECT_EQ(problem.message, jet3 ? "the row takes 2037 bytes, more than the 2036 a page holds"
                                    : "the row takes 4081 bytes, more than the 4080 a page holds");
}

TEST_P(RoundTripInEachFormat, ManyTablesAnEmptyOneAndTinyRows) {
    Database database = OneTable(Table(), GetParam());
    database.tables.clear();
    std::string expectedList;
    for (int i = 0; i < 120; ++i) {
        Table table;
        table.name = "Table number " + std::to_string(i);
        table.columns = {MakeColumn("N", ColumnType::kInteger)};
        for (int r = 0; r < i % 4; ++r) table.rows.push_back({Value::Integer(i * 10 + r)});
        database.tables.push_back(table);
        expectedList += table.name + "\n";
    }
    // Rows so small that a page would take more than the 255 a reader allows
    // (3 bytes and an offset entry in Jet 3, 4 in Jet 4).
    Table tiny;
    tiny.name = "Tiny rows";
    tiny.columns = {MakeColumn("B", ColumnType::kByte)};
    for (int r = 0; r < 700; ++r) tiny.rows.push_back({Value::Integer(r % 256)});
    database.tables.push_back(tiny);
    expectedList += tiny.name + "\n";

    const std::string file = Write(database);
    const jetwriter_test::CommandResult tables =
        jetwriter_test::RunCommand({"mdb-tables", "-1", file});
    EXPECT_EQ(tables.output, expectedList);
    for (int i : {0, 1, 63, 119, 120}) ExpectReadsBack(file, database.tables[i]);
}

TEST_P(RoundTripInEachFormat, SameDatabaseSameBytesAndTheCreationDateComesFromIt) {
    Table table;
    table.name = "T";
    table.columns = {MakeTextColumn("Name", 20), MakeColumn("Memo", ColumnType::kMemo)};
    table.rows = {{Value::Text("a"), Value::Text(std::string(9000, 'z'))}};
    Database database = OneTable(table, GetParam());
    database.created = DateTime(2011, 5, 6, 7, 8, 9).date_time();

    const std::string first = jetwriter_test::ReadFile(Write(database, "first.mdb"));
    const std::string second = jetwriter_test::ReadFile(Write(database, "second.mdb"));
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, second);

    const jetwriter_test::Rows catalog =
        jetwriter_test::ExportTable(scratch_.File("first.mdb"), "MSysObjects");
    ASSERT_EQ(catalog.size(), 2u);
    EXPECT_EQ(catalog[1][2], Field("T"));
    EXPECT_EQ(catalog[1][4], Field("2011-05-06 07:08:09"));  // DateCreate

    database.created += 1;
    EXPECT_NE(jetwriter_test::ReadFile(Write(database, "third.mdb")), first);
}

}  // namespace
