// Splitting stored rows into fields, in both formats, and refusing rows
// whose counts and offsets do not fit.
#include "jetodbc/jet_row_format.h"

#include <gtest/gtest.h>

#include "jetodbc/driver_error.h"
#include "tests/jetodbc/unit/jet_image_builder.h"

using namespace jetodbc;
using jetodbc_test::Jet4Row;

namespace {

ColumnLayout Fixed(uint8_t type, uint16_t number, uint16_t offset) {
    ColumnLayout c;
    c.type = type;
    c.number = number;
    c.fixedOffset = offset;
    c.fixed = true;
    return c;
}

ColumnLayout Variable(uint8_t type, uint16_t number, uint16_t index) {
    ColumnLayout c;
    c.type = type;
    c.number = number;
    c.variableIndex = index;
    return c;
}

std::vector<FieldSlice> Crack(bool jet3, const std::string& row,
                              const std::vector<ColumnLayout>& columns) {
    std::vector<FieldSlice> fields;
    CrackRow(jet3, reinterpret_cast<const uint8_t*>(row.data()), row.size(), columns, &fields);
    return fields;
}

std::string Text(const FieldSlice& f) {
    return std::string(reinterpret_cast<const char*>(f.data), f.size);
}

// Section (Int), Done (Yes/No), Name (Text), Remark (Text): numbers 0..3.
const std::vector<ColumnLayout> kColumns = {Fixed(kJetInt, 0, 0), Fixed(kJetBool, 1, 0),
                                            Variable(kJetText, 2, 0), Variable(kJetText, 3, 1)};

}  // namespace

TEST(RowFormat, Jet4FixedVariableNullAndBit) {
    const std::string row = Jet4Row(4, std::string("\x07\x00", 2), {"Ann", ""}, {0, 1, 2});
    const auto f = Crack(false, row, kColumns);
    ASSERT_FALSE(f[0].null);
    EXPECT_EQ(f[0].size, 2u);
    EXPECT_EQ(f[0].data[0], 7);
    EXPECT_FALSE(f[1].null);
    EXPECT_TRUE(f[1].bit);
    EXPECT_EQ(Text(f[2]), "Ann");
    EXPECT_TRUE(f[3].null);  // mask bit clear
}

TEST(RowFormat, ColumnsAddedAfterTheRowAreNull) {
    // The row knows two columns and one variable field only.
    const std::string row = Jet4Row(2, std::string("\x01\x00", 2), {}, {0, 1});
    const auto f = Crack(false, row, kColumns);
    EXPECT_FALSE(f[0].null);
    EXPECT_TRUE(f[1].bit);
    EXPECT_TRUE(f[2].null);
    EXPECT_TRUE(f[3].null);
    const std::string older = Jet4Row(1, std::string("\x01\x00", 2), {}, {0});
    const auto g = Crack(false, older, kColumns);
    EXPECT_FALSE(g[1].null);
    EXPECT_FALSE(g[1].bit);  // a Yes/No column the row lacks reads No
}

TEST(RowFormat, RowOlderThanEveryVariableColumnHasNoOffsetTable) {
    // Int (number 0) then Text (number 1) added after the row was written:
    // the row is its count, the Int and a mask, in both formats. Its mask
    // has spare bits set, which belong to no column of the row.
    const std::vector<ColumnLayout> columns = {Fixed(kJetInt, 0, 0), Variable(kJetText, 1, 0)};
    for (const bool jet3 : {true, false}) {
        const std::string count = jet3 ? std::string("\x01", 1) : std::string("\x01\x00", 2);
        const std::string row =
            count + std::string("\x05\x00", 2) + "\xff";  // fields point into it
        const auto f = Crack(jet3, row, columns);
        ASSERT_FALSE(f[0].null) << jet3;
        EXPECT_EQ(f[0].size, 2u);
        EXPECT_EQ(f[0].data[0], 5) << jet3;
        EXPECT_TRUE(f[1].null) << jet3;
    }
}

TEST(RowFormat, MaskBitsPastTheRowsColumnsAreNotRead) {
    // A row of two Int columns whose one mask byte has all eight bits set;
    // a Yes/No column and an Int column were added after it was written.
    // Their bits lie in the row's mask but belong to no column of the row.
    const std::vector<ColumnLayout> columns = {Fixed(kJetInt, 0, 0), Fixed(kJetInt, 1, 2),
                                               Fixed(kJetBool, 2, 0), Fixed(kJetInt, 3, 4)};
    for (const bool jet3 : {true, false}) {
        const std::string count = jet3 ? std::string("\x02", 1) : std::string("\x02\x00", 2);
        const std::string row = count + std::string("\x05\x00\x06\x00", 4) + "\xff";
        const auto f = Crack(jet3, row, columns);
        ASSERT_FALSE(f[1].null) << jet3;
        EXPECT_EQ(f[1].data[0], 6) << jet3;
        EXPECT_FALSE(f[2].null) << jet3;
        EXPECT_FALSE(f[2].bit) << jet3;  // No, not the spare bit's Yes
        EXPECT_TRUE(f[3].null) << jet3;
    }
}

TEST(RowFormat, DeletedColumnsLeaveGapsInNumbersAndOffsets) {
    // Column 1 (variable field 0) was deleted; Remark is number 2, field 1.
    const std::vector<ColumnLayout> columns = {Fixed(kJetInt, 0, 0), Variable(kJetText, 2, 1)};
    const std::string row = Jet4Row(3, std::string("\x03\x00", 2), {"gone", "kept"}, {0, 1, 2});
    const auto f = Crack(false, row, columns);
    EXPECT_EQ(f[0].data[0], 3);
    EXPECT_EQ(Text(f[1]), "kept");
    // Eight columns fill the mask exactly; a ninth, added later, is NULL.
    const std::string eight = Jet4Row(8, std::string("\x03\x00", 2), {"a", "b"}, {0, 1, 2, 7});
    const auto g = Crack(false, eight, {Fixed(kJetInt, 0, 0), Variable(kJetText, 8, 2)});
    EXPECT_FALSE(g[0].null);
    EXPECT_TRUE(g[1].null);
}

TEST(RowFormat, TableWithoutVariableColumnsHasNoOffsetTable) {
    std::string row = std::string("\x01\x00", 2) + std::string("\x05\x00", 2) + "\x01";
    const auto f = Crack(false, row, {Fixed(kJetInt, 0, 0)});
    EXPECT_EQ(f[0].data[0], 5);
}

TEST(RowFormat, Jet3OffsetsPastTwoHundredFiftySixUseTheJumpTable) {
    // 1 count byte, an Int, a 300-byte and a 5-byte field: the second field
    // and the end of data lie past offset 256.
    std::string row = "\x04";
    row += std::string("\x09\x00", 2);
    row += std::string(300, 'a');
    row += "bbbbb";
    // From the end: mask, field count, jump table, offsets of fields 0 and 1, end of data.
    row += static_cast<char>(308 & 0xff);  // end of data (308)
    row += static_cast<char>(303 & 0xff);  // field 1 at 303
    row += static_cast<char>(3);           // field 0 at 3
    row += static_cast<char>(1);           // field 1 is the first past 256
    row += static_cast<char>(2);           // two variable fields
    row += static_cast<char>(0x0d);        // columns 0, 2 and 3 present
    ASSERT_EQ(row.size(), 314u);
    const auto f = Crack(true, row, kColumns);
    EXPECT_EQ(f[0].data[0], 9);
    EXPECT_EQ(f[2].size, 300u);
    EXPECT_EQ(Text(f[3]), "bbbbb");
}

TEST(RowFormat, RefusesRowsThatDoNotFit) {
    const std::string good = Jet4Row(4, std::string("\x07\x00", 2), {"Ann", "B"}, {0, 2, 3});
    auto damaged = [&](std::string row, const char* why) {
        EXPECT_THROW(Crack(false, row, kColumns), DriverError) << why;
    };
    damaged("", "empty");
    damaged(std::string("\xff\x00", 2), "a mask longer than the row");
    std::string swapped = good;
    std::swap(swapped[swapped.size() - 5], swapped[swapped.size() - 7]);  // offsets 0 and 1
    damaged(swapped, "offsets out of order");
    std::string manyFields = good;
    manyFields[manyFields.size() - 3] = 0x7f;  // the field count
    damaged(manyFields, "more fields than the row holds");
    std::string farOffset = good;
    farOffset[farOffset.size() - 4] = 0x7f;  // high byte of field 0's offset
    damaged(farOffset, "an offset past the table");
    // A fixed field whose offset reaches into the variable data.
    const std::vector<ColumnLayout> wide = {Fixed(kJetDouble, 0, 0), kColumns[2], kColumns[3]};
    EXPECT_THROW(Crack(false, good, wide), DriverError);
}

TEST(RowFormat, FixedWidthsByType) {
    EXPECT_EQ(FixedFieldWidth(Fixed(kJetBool, 0, 0)), 0u);
    EXPECT_EQ(FixedFieldWidth(Fixed(kJetByte, 0, 0)), 1u);
    EXPECT_EQ(FixedFieldWidth(Fixed(kJetMoney, 0, 0)), 8u);
    EXPECT_EQ(FixedFieldWidth(Fixed(kJetGuid, 0, 0)), 16u);
    EXPECT_EQ(FixedFieldWidth(Fixed(kJetNumeric, 0, 0)), 17u);
    ColumnLayout text = Fixed(kJetText, 0, 0);
    text.size = 10;
    EXPECT_EQ(FixedFieldWidth(text), 10u);
}
