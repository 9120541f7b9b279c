#include "jetwriter/table_definition.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "jetwriter/jet_text.h"
#include "jetwriter/little_endian.h"
#include "jetwriter/utf8.h"

namespace jetwriter {
namespace {

constexpr size_t kPageHeaderSize = 8;  // type, free space, next-page link
constexpr size_t kLengthOffset = 0x08;
constexpr size_t kJet4MarkerOffset = 0x18;

constexpr uint8_t kUserTable = 0x4E;
constexpr uint8_t kSystemTable = 0x53;
constexpr uint16_t kGeneralSortOrder = 0x0409;
constexpr uint16_t kWindows1252CodePage = 1252;
constexpr uint8_t kFixedColumnFlags = 0x03;
constexpr uint8_t kVariableColumnFlags = 0x02;
constexpr uint8_t kCompressedTextHint = 0x01;
constexpr uint16_t kEndOfList = 0xFFFF;

void StoreJet4ColumnEntry(const Column& column, const ColumnPlacement& placement, uint8_t* entry) {
    entry[0] = JetTypeCode(column.type);
    StoreU16(entry + 5, placement.number);
    StoreU16(entry + 7, placement.fixed ? 0 : placement.variableIndex);
    StoreU16(entry + 9, placement.number);
    if (HoldsText(column.type)) {
        StoreU16(entry + 11, kGeneralSortOrder);
        entry[16] = kCompressedTextHint;
    }
    if (column.type == ColumnType::kNumeric) {  // where text keeps its sort order
        entry[11] = static_cast<uint8_t>(column.precision);
        entry[12] = static_cast<uint8_t>(column.scale);
    }
    entry[15] = placement.fixed ? kFixedColumnFlags : kVariableColumnFlags;
    StoreU16(entry + 21, placement.fixedOffset);
    StoreU16(entry + 23, placement.entryLength);
}

// Jet 3 entries, as Access 97 writes them: every column records the sort
// order and the code page; fixed columns record how many variable columns
// come before them.
void StoreJet3ColumnEntry(const Column& column, const ColumnPlacement& placement, uint8_t* entry) {
    entry[0] = JetTypeCode(column.type);
    StoreU16(entry + 1, placement.number);
    StoreU16(entry + 3, placement.variableIndex);
    StoreU16(entry + 5, placement.number);
    StoreU16(entry + 7, 0x0001);
    StoreU16(entry + 9, kGeneralSortOrder);
    StoreU16(entry + 11, kWindows1252CodePage);
    entry[13] = placement.fixed ? kFixedColumnFlags : kVariableColumnFlags;
    StoreU16(entry + 14, placement.fixedOffset);
    StoreU16(entry + 16, placement.entryLength);
}

// Where a format keeps the header fields and how long its column entries are.
struct DefinitionLayout {
    size_t rowCount, tableType, maxColumns, variableColumns, columnCount, usageMap, freeSpaceMap,
        columnEntries, columnEntrySize;
};
constexpr DefinitionLayout kJet3Definition = {0x0C, 0x14, 0x15, 0x17, 0x19, 0x23, 0x27, 0x2B, 18};
constexpr DefinitionLayout kJet4Definition = {0x10, 0x28, 0x29, 0x2B, 0x2D, 0x37, 0x3B, 0x3F, 25};

}  // namespace

std::vector<uint8_t> BuildTableDefinition(const std::vector<Column>& columns,
                                          const TableLayout& layout,
                                          const TableDefinitionFields& fields, JetFormat format) {
    const bool jet3 = format == JetFormat::kJet3;
    const DefinitionLayout& at = jet3 ? kJet3Definition : kJet4Definition;
    std::vector<size_t> live;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].dropped()) live.push_back(i);
    }
    std::vector<uint8_t> definition(at.columnEntries + at.columnEntrySize * live.size(), 0);
    uint8_t* header = definition.data();
    header[0] = kTableDefinitionPageType;
    header[1] = 0x01;
    StoreU32(header + at.rowCount, fields.rowCount);
    if (!jet3) header[kJet4MarkerOffset] = 0x01;
    header[at.tableType] = fields.systemTable ? kSystemTable : kUserTable;
    // Numbers of dropped columns stay taken: the next column gets the next number.
    StoreU16(header + at.maxColumns, static_cast<uint16_t>(columns.size()));
    StoreU16(header + at.variableColumns, static_cast<uint16_t>(layout.variable_column_count()));
    StoreU16(header + at.columnCount, static_cast<uint16_t>(live.size()));
    StoreU32(header + at.usageMap, fields.usageMap);
    StoreU32(header + at.freeSpaceMap, fields.freeSpaceMap);
    for (size_t i = 0; i < live.size(); ++i) {
        uint8_t* entry = header + at.columnEntries + at.columnEntrySize * i;
        if (jet3) {
            StoreJet3ColumnEntry(columns[live[i]], layout.placement(live[i]), entry);
        } else {
            StoreJet4ColumnEntry(columns[live[i]], layout.placement(live[i]), entry);
        }
    }
    std::u16string name;
    for (size_t i : live) {
        Utf8ToUtf16(columns[i].name, &name);
        if (jet3) {
            // Names were checked to be Windows-1252 (schema rules).
            std::vector<uint8_t> bytes;
            char32_t missing = 0;
            AppendWindows1252Text(name, &bytes, &missing);
            definition.push_back(static_cast<uint8_t>(bytes.size()));
            definition.insert(definition.end(), bytes.begin(), bytes.end());
        } else {
            AppendU16(&definition, static_cast<uint16_t>(2 * name.size()));
            for (char16_t unit : name) AppendU16(&definition, static_cast<uint16_t>(unit));
        }
    }
    AppendU16(&definition, kEndOfList);
    StoreU32(definition.data() + kLengthOffset,
             static_cast<uint32_t>(definition.size() - kPageHeaderSize));
    return definition;
}

uint32_t TableDefinitionPageCount(size_t definitionSize, size_t pageSize) {
    const size_t perPage = pageSize - kPageHeaderSize;
    const size_t body = definitionSize - kPageHeaderSize;
    return static_cast<uint32_t>(std::max<size_t>(1, (body + perPage - 1) / perPage));
}

void StoreTableDefinition(const std::vector<uint8_t>& definition, uint32_t firstPage,
                          PageImage* image) {
    const size_t perPage = image->page_size() - kPageHeaderSize;
    const uint32_t pageCount = TableDefinitionPageCount(definition.size(), image->page_size());
    size_t taken = kPageHeaderSize;
    for (uint32_t i = 0; i < pageCount; ++i) {
        uint8_t* page = image->Page(firstPage + i);
        const size_t size = std::min(perPage, definition.size() - taken);
        std::memcpy(page + kPageHeaderSize, definition.data() + taken, size);
        taken += size;
        page[0] = kTableDefinitionPageType;
        page[1] = 0x01;
        StoreU16(page + 2, static_cast<uint16_t>(perPage - size));
        StoreU32(page + 4, i + 1 < pageCount ? firstPage + i + 1 : 0);
    }
}

}  // namespace jetwriter
