#include "jetodbc/jet_row_format.h"

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_image.h"

namespace jetodbc {

namespace {

DriverError BadRow(const char* what) { return DamagedFile(std::string("a row's ") + what); }

// The variable-field offsets of a row (entry count + 1, the last being the
// end of the data), and where the fixed area ends. The readers below fill
// one in place. A row lies within one page of at most 4 KB, so its offsets
// fit 16 bits and its entries number fewer than such a page has 16-bit words.
struct OffsetTable {
    static constexpr size_t kMaxEntries = 4096 / 2;
    uint16_t offsets[kMaxEntries];
    size_t entries = 0;
    size_t fixedEnd = 0;

    size_t size() const { return entries; }
    void resize(size_t count) {
        if (count > kMaxEntries) throw BadRow("offset table does not fit");
        entries = count;
    }
};

void ReadJet4Offsets(const uint8_t* row, size_t maskStart, OffsetTable& t) {
    if (maskStart < 4) throw BadRow("offset table does not fit");
    const uint32_t count = ReadU16(row + maskStart - 2);
    const size_t tableBytes = 2 * (size_t{count} + 1);
    if (maskStart < 2 + 2 + tableBytes) throw BadRow("offset table does not fit");
    const size_t tableStart = maskStart - 2 - tableBytes;
    t.resize(count + 1);
    uint32_t previous = 2;
    for (uint32_t j = 0; j <= count; ++j) {
        const uint32_t offset = ReadU16(row + maskStart - 4 - 2 * j);
        if (offset < previous || offset > tableStart)
            throw BadRow("field offsets are out of order");
        t.offsets[j] = static_cast<uint16_t>(previous = offset);
    }
    t.fixedEnd = t.offsets[0];
}

void ReadJet3Offsets(const uint8_t* row, size_t size, size_t maskStart, OffsetTable& t) {
    if (maskStart < 2) throw BadRow("offset table does not fit");
    const uint32_t count = row[maskStart - 1];
    // The jump table's length follows from the row's size; its last entry may
    // be a filler that names no field.
    const size_t jumps = (size - 1) / 256;
    if (maskStart < 1 + jumps + 1 + count + 1) throw BadRow("offset table does not fit");
    const size_t first = maskStart - 1 - jumps - 1;  // offset of variable field 0
    size_t usable = jumps;
    if ((first - count) / 256 < usable) --usable;
    const size_t tableStart = first - count;
    t.resize(count + 1);
    size_t used = 0;
    uint32_t previous = 1;
    for (uint32_t i = 0; i <= count; ++i) {
        while (used < usable && i == row[maskStart - 1 - used - 1]) ++used;
        const uint32_t offset = row[first - i] + 256 * static_cast<uint32_t>(used);
        if (offset < previous || offset > tableStart)
            throw BadRow("field offsets are out of order");
        t.offsets[i] = static_cast<uint16_t>(previous = offset);
    }
    t.fixedEnd = t.offsets[0];
}

}  // namespace

size_t FixedFieldWidth(const ColumnLayout& column) {
    switch (column.type) {
        case kJetBool:
            return 0;
        case kJetByte:
            return 1;
        case kJetInt:
            return 2;
        case kJetLong:
        case kJetFloat:
        case kJetComplex:
            return 4;
        case kJetMoney:
        case kJetDouble:
        case kJetDateTime:
            return 8;
        case kJetGuid:
            return 16;
        case kJetNumeric:
            return 17;
        default:
            return column.size;
    }
}

RowShape::RowShape(const std::vector<ColumnLayout>& layouts) {
    columns.reserve(layouts.size());
    for (const ColumnLayout& c : layouts) {
        Column k;
        k.number = c.number;
        if (c.type == kJetBool) {
            k.cut = Cut::Bit;
        } else if (c.fixed) {
            k.cut = Cut::Fixed;
            k.fixedOffset = c.fixedOffset;
            k.width = static_cast<uint32_t>(FixedFieldWidth(c));
        } else {
            k.cut = Cut::Variable;
            k.variableIndex = c.variableIndex;
            if (c.number < firstVariable) firstVariable = c.number;
        }
        columns.push_back(k);
    }
}

void CrackRow(bool jet3, const uint8_t* row, size_t size, const std::vector<ColumnLayout>& columns,
              std::vector<FieldSlice>* fields) {
    const RowShape shape(columns);
    fields->resize(columns.size());
    CrackRow(jet3, row, size, shape, fields->data());
}

void CrackRow(bool jet3, const uint8_t* row, size_t size, const RowShape& shape,
              FieldSlice* fields) {
    const size_t countBytes = jet3 ? 1 : 2;
    if (size < countBytes) throw BadRow("column count is missing");
    const uint32_t rowColumns = jet3 ? row[0] : ReadU16(row);
    const size_t maskBytes = (rowColumns + 7) / 8;
    if (size < countBytes + maskBytes) throw BadRow("null mask does not fit");
    const size_t maskStart = size - maskBytes;
    const uint8_t* mask = row + maskStart;

    // A row written before the table's first variable column existed has no
    // offset table (nor a field count) at all.
    const bool variableColumns = shape.firstVariable < rowColumns;
    OffsetTable table;  // filled only as far as the row's entries
    if (variableColumns) {
        if (jet3) {
            ReadJet3Offsets(row, size, maskStart, table);
        } else {
            ReadJet4Offsets(row, maskStart, table);
        }
    } else {
        table.fixedEnd = maskStart;
    }

    const size_t count = shape.columns.size();
    for (size_t i = 0; i < count; ++i) {
        const RowShape::Column& c = shape.columns[i];
        FieldSlice& f = fields[i];
        const bool reached = c.number < rowColumns;
        const bool bit = reached && (mask[c.number / 8] & (1u << (c.number % 8))) != 0;
        f = FieldSlice();
        if (c.cut == RowShape::Cut::Bit) {
            f.null = false;
            f.bit = bit;
            continue;
        }
        if (!bit) continue;  // NULL
        if (c.cut == RowShape::Cut::Fixed) {
            const size_t start = countBytes + c.fixedOffset;
            if (start + c.width > table.fixedEnd) throw BadRow("fixed field overruns the row");
            f.null = false;
            f.data = row + start;
            f.size = c.width;
        } else {
            if (!variableColumns || c.variableIndex + 1u >= table.size()) continue;
            const uint32_t start = table.offsets[c.variableIndex];
            const uint32_t end = table.offsets[c.variableIndex + 1];
            f.null = false;
            f.data = row + start;
            f.size = end - start;
        }
    }
}

}  // namespace jetodbc
