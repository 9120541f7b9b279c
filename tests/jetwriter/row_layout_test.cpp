// Rows as jetwriter lays them out, byte for byte: the fixed area, variable
// data, offset table and null mask; where memo data goes (which MDB Tools
// cannot tell apart); and the values a column refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jetwriter/jet_page.h"
#include "jetwriter/little_endian.h"
#include "jetwriter/long_value_writer.h"
#include "jetwriter/page_image.h"
#include "jetwriter/row_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;
using jetwriter::Column;
using jetwriter::ColumnType;
using jetwriter::LoadU16;
using jetwriter::LoadU32;
using jetwriter::MakeColumn;
using jetwriter::MakeTextColumn;
using jetwriter::Value;

class RowLayout : public ::testing::Test {
  protected:
    RowLayout()
        : longValues_(&image_),
          jet3Image_(jetwriter::JetFormat::kJet3),
          jet3LongValues_(&jet3Image_) {
        image_.AppendPage();
        jet3Image_.AppendPage();
    }

    // Encodes row (the table's row number rowIndex) for columns, as Jet 4
    // or Jet 3; returns the message ("" on success).
    std::string Encode(const std::vector<Column>& columns, const std::vector<Value>& row) {
        columns_ = columns;
        encoder_ = std::make_unique<jetwriter::RowEncoder>(columns_, &longValues_);
        return encoder_->Encode(row);
    }
    std::string EncodeJet3(const std::vector<Column>& columns, const std::vector<Value>& row,
                           size_t rowIndex = 0) {
        columns_ = columns;
        encoder_ = std::make_unique<jetwriter::RowEncoder>(columns_, &jet3LongValues_);
        return encoder_->Encode(row, rowIndex);
    }
    const Bytes& row() const { return encoder_->row_bytes(); }

    // The bytes of a long-value row, and the pointer it opens with when chained.
    Bytes LongValueRow(uint32_t pointer) {
        const uint8_t* page = image_.Page(pointer >> 8);
        EXPECT_EQ(LoadU32(page + 4), jetwriter::kLongValueOwner);
        const uint32_t number = pointer & 0xFF;
        const uint16_t start = LoadU16(page + 0x0E + 2 * number);
        const uint16_t end = number == 0 ? 4096 : LoadU16(page + 0x0E + 2 * (number - 1));
        return Bytes(page + start, page + end);
    }

    jetwriter::PageImage image_;
    jetwriter::LongValueWriter longValues_;
    jetwriter::PageImage jet3Image_;
    jetwriter::LongValueWriter jet3LongValues_;
    std::vector<Column> columns_;
    std::unique_ptr<jetwriter::RowEncoder> encoder_;
};

TEST_F(RowLayout, FixedAreaVariableDataOffsetTableAndNullMask) {
    const std::vector<Column> columns = {
        MakeColumn("Flag", ColumnType::kYesNo), MakeColumn("N", ColumnType::kInteger),
        MakeTextColumn("Name", 10), MakeColumn("Notes", ColumnType::kMemo),
        MakeColumn("B", ColumnType::kByte)};
    ASSERT_EQ(Encode(columns, {Value::Boolean(true), Value::Integer(-2), Value::Text("Hi!"),
                               Value::Null(), Value::Integer(7)}),
              "");
    EXPECT_EQ(row(), (Bytes{0x05, 0x00,                          // column count
                            0xFE, 0xFF, 0x07,                    // N, B (Flag takes no room)
                            0xFF, 0xFE, 'H', 'i', '!',           // Name; Notes is empty
                            0x0A, 0x00, 0x0A, 0x00, 0x05, 0x00,  // end, Notes, Name
                            0x02, 0x00,                          // variable columns
                            0x17}));                             // mask: all but Notes

    // NULLs are zeros or empty with their mask bit clear; so is a false Yes/No.
    ASSERT_EQ(Encode(columns, {Value::Boolean(false), Value::Null(), Value::Null(), Value::Null(),
                               Value::Null()}),
              "");
    EXPECT_EQ(row(),
              (Bytes{0x05, 0x00, 0, 0, 0, 0x05, 0x00, 0x05, 0x00, 0x05, 0x00, 0x02, 0x00, 0x00}));
}

// Jet 3 counts and offsets take one byte each. A row written before the
// table's first variable column was added has no variable part at all.
TEST_F(RowLayout, Jet3RowsWrittenBeforeAndAfterATextColumnWasAdded) {
    std::vector<Column> columns;
    std::vector<Value> values;
    for (int i = 1; i <= 7; ++i) {
        columns.push_back(MakeColumn("I" + std::to_string(i), ColumnType::kInteger));
        values.push_back(Value::Integer(i == 7 ? -2 : i));
    }
    columns.push_back(MakeTextColumn("Name", 20));
    columns.back().added_at_row = 1;
    ASSERT_EQ(EncodeJet3(columns, values), "");
    const Bytes fixed = {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 0xFE, 0xFF};
    Bytes expected = {0x07};
    expected.insert(expected.end(), fixed.begin(), fixed.end());
    expected.push_back(0x7F);  // null mask of seven columns
    EXPECT_EQ(row(), expected);
    EXPECT_EQ(row().size(), 16u);

    // The next row has the text: data from byte 15, ending at 17.
    values.push_back(Value::Text("ab"));
    ASSERT_EQ(EncodeJet3(columns, values, 1), "");
    expected = {0x08};
    expected.insert(expected.end(), fixed.begin(), fixed.end());
    const Bytes tail = {'a', 'b', 0x11, 0x0F, 0x01, 0xFF};  // data, end, offset, count, mask
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(row(), expected);
}

// Offsets past 255 keep their low byte; the jump table, just before the
// variable-column count, names the first offset past each 256-byte boundary.
TEST_F(RowLayout, Jet3RowPast256BytesCarriesAJumpTable) {
    const std::vector<Column> columns = {MakeColumn("N", ColumnType::kInteger),
                                         MakeTextColumn("A", 255), MakeTextColumn("B", 255),
                                         MakeTextColumn("C", 255)};
    ASSERT_EQ(EncodeJet3(columns,
                         {Value::Integer(5), Value::Text(std::string(200, 'a')),
                          Value::Text(std::string(200, 'b')), Value::Text(std::string(10, 'c'))}),
              "");
    // A at 3, B at 203, C at 403 (147 + 256), end at 413 (157 + 256): 420
    // bytes, so one jump, naming C (index 2).
    Bytes expected = {0x04, 0x05, 0x00};
    expected.insert(expected.end(), 200, 'a');
    expected.insert(expected.end(), 200, 'b');
    expected.insert(expected.end(), 10, 'c');
    const Bytes table = {157, 147, 203, 3, 0x02, 0x03, 0x0F};
    expected.insert(expected.end(), table.begin(), table.end());
    EXPECT_EQ(row(), expected);
}

// With 255 variable columns a jump byte can name every offset, the end of
// the data included (255), so an unused jump that readers keep would be
// taken for one. 244 two-letter texts and 11 one-letter ones end at 500,
// giving 792 bytes and 3 jumps, two of them unused; moved up by 12 bytes the
// data ends at 512 with one unused jump, which readers drop.
TEST_F(RowLayout, Jet3RowOf255VariableColumnsLeavesOneUnusedJump) {
    std::vector<Column> columns;
    std::vector<Value> values;
    Bytes data;
    for (int i = 0; i < 255; ++i) {
        columns.push_back(MakeTextColumn("T" + std::to_string(i), 10));
        const std::string text = i < 244 ? "xy" : "z";
        values.push_back(Value::Text(text));
        data.insert(data.end(), text.begin(), text.end());
    }
    ASSERT_EQ(EncodeJet3(columns, values), "");
    Bytes expected = {0xFF};
    expected.insert(expected.end(), 12, 0);
    expected.insert(expected.end(), data.begin(), data.end());
    expected.push_back(0x00);  // the end, 512
    for (int i = 254; i >= 0; --i) {
        const int offset = 13 + (i < 244 ? 2 * i : 244 + i);
        expected.push_back(static_cast<uint8_t>(offset % 256));
    }
    // Jumps from the last: unused, 512 (the end, index 255), 256 (column 122 at 257).
    const Bytes jumps = {0xFF, 0xFF, 122, 0xFF};  // and the count, 255
    expected.insert(expected.end(), jumps.begin(), jumps.end());
    expected.insert(expected.end(), 31, 0xFF);
    expected.push_back(0x7F);
    EXPECT_EQ(row(), expected);
    EXPECT_EQ(row().size(), 804u);
}

TEST_F(RowLayout, MemoStaysInTheRowWhileShort) {
    ASSERT_EQ(Encode({MakeColumn("M", ColumnType::kMemo)}, {Value::Text("abc")}), "");
    EXPECT_EQ(row(),
              (Bytes{0x01, 0x00, 0x05, 0x00, 0x00, 0x80, 0,    0,    0,    0,    0,    0,   0, 0,
                     0xFF, 0xFE, 'a',  'b',  'c',  0x13, 0x00, 0x02, 0x00, 0x01, 0x00, 0x01}));
    ASSERT_EQ(Encode({MakeColumn("M", ColumnType::kMemo)}, {Value::Text(std::string(254, 'x'))}),
              "");
    EXPECT_EQ(LoadU32(row().data() + 2), 256u | jetwriter::kMemoInRow);
    EXPECT_EQ(image_.page_count(), 1u);  // no long-value page
}

TEST_F(RowLayout, LongerMemoTakesOneLongValueRow) {
    ASSERT_EQ(Encode({MakeColumn("M", ColumnType::kMemo)}, {Value::Text(std::string(255, 'x'))}),
              "");
    ASSERT_EQ(row().size(), 2u + 12 + 6 + 1);
    EXPECT_EQ(LoadU32(row().data() + 2), 257u | jetwriter::kMemoSingleLongValueRow);
    const Bytes stored = LongValueRow(LoadU32(row().data() + 6));
    ASSERT_EQ(stored.size(), 257u);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 3), (Bytes{0xFF, 0xFE, 'x'}));
}

TEST_F(RowLayout, VeryLongMemoBecomesAChainOfLongValueRows) {
    const uint8_t earlier[10] = {};
    longValues_.Store(earlier, sizeof earlier);  // the chain's last piece shares its page
    std::string text;
    for (int i = 0; i < 10000; ++i) text += static_cast<char>('a' + i % 26);
    ASSERT_EQ(Encode({MakeColumn("M", ColumnType::kMemo)}, {Value::Text(text)}), "");
    EXPECT_EQ(LoadU32(row().data() + 2), 10002u);  // no flag: a chain

    Bytes joined;
    uint32_t pointer = LoadU32(row().data() + 6);
    int links = 0;
    while (pointer != 0 && links++ < 10) {
        const Bytes piece = LongValueRow(pointer);
        pointer = LoadU32(piece.data());
        joined.insert(joined.end(), piece.begin() + 4, piece.end());
    }
    EXPECT_EQ(links, 3);
    ASSERT_EQ(joined.size(), 10002u);
    EXPECT_EQ(std::string(joined.begin() + 2, joined.end()), text);
}

TEST_F(RowLayout, RefusesValuesTheColumnCannotHold) {
    struct Case {
        Column column;
        Value value;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {MakeColumn("Y", ColumnType::kYesNo), Value::Null(), "Yes/No cannot be NULL"},
        {MakeColumn("B", ColumnType::kByte), Value::Integer(256),
         "256 is outside the Byte range 0 to 255"},
        {MakeColumn("B", ColumnType::kByte), Value::Integer(-1), "-1 is outside"},
        {MakeColumn("I", ColumnType::kInteger), Value::Integer(32768), "range -32768 to 32767"},
        {MakeColumn("I", ColumnType::kInteger), Value::Integer(-32769), "-32769 is outside"},
        {MakeColumn("L", ColumnType::kLongInteger), Value::Integer(2147483648LL), "outside"},
        {MakeColumn("I", ColumnType::kInteger), Value::Text("1"), "Integer cannot hold a text"},
        {MakeColumn("S", ColumnType::kSingle), Value::Real(1e39), "Single range"},
        {MakeColumn("D", ColumnType::kDouble), Value::Real(std::nan("")), "not finite"},
        {MakeColumn("W", ColumnType::kDateTime), Value::DateTime(2958466.0), "years 100 to 9999"},
        {MakeColumn("C", ColumnType::kCurrency), Value::Real(1.5), "Currency cannot hold"},
        {MakeTextColumn("T", 3), Value::Text("abcd"), "4 characters, more than the 3"},
        {MakeTextColumn("T", 3), Value::Text("ab\U0001F600"), "4 characters"},  // a surrogate pair
        {MakeTextColumn("T", 3), Value::Text("\xC3"), "not valid UTF-8"},
        {MakeTextColumn("T", 3), Value::Text(std::string("a\0b", 3)), "U+0000"},
        {MakeColumn("O", ColumnType::kOle), Value::Text("x"), "can only be NULL"},
    };
    for (const Case& c : cases) {
        const std::string message = Encode({c.column}, {c.value});
        EXPECT_EQ(message.rfind("column " + c.column.name + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.expected << " / " << message;
    }
    EXPECT_EQ(Encode({MakeTextColumn("T", 3)}, {Value::Text("\u4e00\u00e9\u00df")}), "");
    EXPECT_EQ(Encode({MakeTextColumn("T", 3)}, {}), "the row has 0 values for 1 columns");
}

}  // namespace
