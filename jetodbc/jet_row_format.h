// The layout of one stored Jet row and how it splits into fields. A row
// holds its column count, the fixed-length fields at fixed offsets, the
// variable-length fields one after another, a table of their offsets and,
// last, a null mask with one bit a column (a Yes/No column's value is its
// bit). Jet 4 stores counts and offsets in two bytes; Jet 3 in one, with a
// jump table that adds 256 for each boundary an offset has passed. Every
// offset is checked against the row before a field is handed out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jetodbc {

// Jet's column types.
enum JetType : uint8_t {
    kJetBool = 0x01,
    kJetByte = 0x02,
    kJetInt = 0x03,
    kJetLong = 0x04,
    kJetMoney = 0x05,
    kJetFloat = 0x06,
    kJetDouble = 0x07,
    kJetDateTime = 0x08,
    kJetBinary = 0x09,
    kJetText = 0x0a,
    kJetOle = 0x0b,
    kJetMemo = 0x0c,
    kJetGuid = 0x0f,
    kJetNumeric = 0x10,
    kJetComplex = 0x12,
};

// Where one column's field lies in a row, from the table definition.
struct ColumnLayout {
    uint8_t type = 0;
    uint16_t number = 0;         // bit in the null mask (deleted columns count)
    uint16_t variableIndex = 0;  // entry in the offset table (variable fields)
    uint16_t fixedOffset = 0;    // offset in the fixed area (fixed fields)
    uint16_t size = 0;           // declared size in bytes
    bool fixed = false;
    uint8_t precision = 0;
    uint8_t scale = 0;
};

// One field of a row: NULL, a Yes/No bit, or bytes inside the row.
struct FieldSlice {
    bool null = true;
    bool bit = false;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// Width of a fixed-length field of this column (the declared size for a
// fixed text or binary column; 0 for Yes/No, whose value is in the mask).
size_t FixedFieldWidth(const ColumnLayout& column);

// What a table's definition fixes about cutting each column's field out of
// its rows, worked out once for the table so that splitting a row derives
// nothing per column again.
struct RowShape {
    enum class Cut : uint8_t { Bit, Fixed, Variable };
    struct Column {
        Cut cut = Cut::Variable;
        uint16_t number = 0;         // bit in the null mask
        uint16_t variableIndex = 0;  // entry in the offset table (Variable)
        uint32_t fixedOffset = 0;    // offset in the fixed area (Fixed)
        uint32_t width = 0;          // field width (Fixed)
    };
    std::vector<Column> columns;
    // The lowest null-mask number of a variable column: a row covering fewer
    // columns has no offset table.
    uint32_t firstVariable = UINT32_MAX;

    explicit RowShape(const std::vector<ColumnLayout>& layouts);
};

// Splits the row of size bytes at row into fields, one per column in
// columns, written to *fields. The row's own column count says which columns
// it covers: a column it does not reach (added after the row was written) is
// NULL, or No for a Yes/No column, and only the null-mask bits of covered
// columns are read. The row carries a table of variable-field offsets only
// when it covers a variable-length column; a variable column past the row's
// own field count is NULL. Column numbers and offset-table entries may have
// gaps (deleted columns). Throws DamagedFile when a count or offset does not
// fit.
void CrackRow(bool jet3, const uint8_t* row, size_t size, const std::vector<ColumnLayout>& columns,
              std::vector<FieldSlice>* fields);

// The same for a table whose shape is worked out already: writes
// shape.columns.size() fields from fields on, each one whole.
void CrackRow(bool jet3, const uint8_t* row, size_t size, const RowShape& shape,
              FieldSlice* fields);

}  // namespace jetodbc
