// RowEncoder: checks one row of values against its table's columns and
// builds the row's bytes in the format of the long-value writer's image:
// column count, fixed-length area, variable data, the table of
// variable-column offsets (with Jet 3's jump table for rows past 256 bytes)
// and the null mask; a Jet 3 row of 255 variable columns may carry unused
// bytes before its variable data (JumpPadding). A row written before later
// columns were added has only the columns made before it; one without
// variable columns has no offset table at all. Memo data stays in the row
// while it is short (kInRowMemoLimit bytes) and the row still fits a page;
// otherwise it goes to long-value pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jetwriter/database.h"
#include "jetwriter/long_value_writer.h"
#include "jetwriter/table_layout.h"

namespace jetwriter {

// Encoded memo data up to this many bytes stays in its row when room allows.
constexpr size_t kInRowMemoLimit = 256;

class RowEncoder {
  public:
    // columns and longValues must outlive the encoder; the layout is copied.
    RowEncoder(const std::vector<Column>& columns, LongValueWriter* longValues);
    RowEncoder(const RowEncoder&) = delete;
    RowEncoder& operator=(const RowEncoder&) = delete;

    // Checks row, the table's row number rowIndex, against the columns (the
    // rules listed in database.h) and, when it passes, stores its long memo
    // data and returns an empty string; the row's bytes are then in
    // row_bytes() until the next Encode. Otherwise returns what is wrong,
    // naming the column, and stores nothing.
    std::string Encode(const std::vector<Value>& row, size_t rowIndex = 0);

    const std::vector<uint8_t>& row_bytes() const { return rowBytes_; }

  private:
    std::string CheckAndPlaceFixed(size_t column, const Value& value);
    std::string CheckAndEncodeVariable(size_t column, const Value& value);
    // Bytes of the offset table (end of data, offsets, Jet 3 jumps, count)
    // for data ending at dataEnd.
    size_t VariableTableSize(size_t dataEnd, size_t variableCount) const;
    size_t JumpCount(size_t dataEnd, size_t variableCount) const;
    // Zero bytes put before the first variable field of a Jet 3 row with
    // data ending at dataEnd, so that readers cannot misread its jump table.
    size_t JumpPadding(size_t dataEnd, size_t variableCount) const;
    void AppendVariableTable(size_t variableCount);

    const std::vector<Column>& columns_;
    const FormatSpec& spec_;
    TableLayout layout_;
    LongValueWriter* longValues_;
    std::u16string utf16_;
    std::vector<std::vector<uint8_t>> variableData_;  // by variable index
    std::vector<size_t> variableOffsets_;
    std::vector<uint8_t> nullMask_;
    std::vector<uint8_t> rowBytes_;
};

}  // namespace jetwriter
