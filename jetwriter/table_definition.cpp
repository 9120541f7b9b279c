#include "jetwriter/table_definition.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "jetwriter/little_endian.h"
#include "jetwriter/utf8.h"

namespace jetwriter {
namespace {

constexpr size_t kPageHeaderSize = 8;  // type, free space, next-page link
constexpr size_t kLengthOffset = 0x08;
constexpr size_t kRowCountOffset = 0x10;
constexpr size_t kMarkerOffset = 0x18;
constexpr size_t kTableTypeOffset = 0x28;
constexpr size_t kMaxColumnsOffset = 0x29;
constexpr size_t kVariableColumnCountOffset = 0x2B;
constexpr size_t kColumnCountOffset = 0x2D;
constexpr size_t kUsageMapOffset = 0x37;
constexpr size_t kFreeSpaceMapOffset = 0x3B;
constexpr size_t kColumnEntriesOffset = 0x3F;
constexpr size_t kColumnEntrySize = 25;

constexpr uint8_t kUserTable = 0x4E;
constexpr uint8_t kSystemTable = 0x53;
constexpr uint16_t kGeneralSortOrder = 0x0409;
constexpr uint8_t kFixedColumnFlags = 0x03;
constexpr uint8_t kVariableColumnFlags = 0x02;
constexpr uint8_t kCompressedTextHint = 0x01;
constexpr uint16_t kEndOfList = 0xFFFF;

void StoreColumnEntry(const Column& column, const ColumnPlacement& placement, uint8_t* entry) {
    entry[0] = JetTypeCode(column.type);
    StoreU16(entry + 5, placement.number);
    StoreU16(entry + 7, placement.variableIndex);
    StoreU16(entry + 9, placement.number);
    if (HoldsText(column.type)) {
        StoreU16(entry + 11, kGeneralSortOrder);
        entry[16] = kCompressedTextHint;
    }
    entry[15] = placement.fixed ? kFixedColumnFlags : kVariableColumnFlags;
    StoreU16(entry + 21, placement.fixedOffset);
    StoreU16(entry + 23, placement.entryLength);
}

}  // namespace

std::vector<uint8_t> BuildTableDefinition(const std::vector<Column>& columns,
                                          const TableLayout& layout,
                                          const TableDefinitionFields& fields) {
    std::vector<uint8_t> definition(kColumnEntriesOffset + kColumnEntrySize * columns.size(), 0);
    uint8_t* header = definition.data();
    header[0] = kTableDefinitionPageType;
    header[1] = 0x01;
    StoreU32(header + kRowCountOffset, fields.rowCount);
    header[kMarkerOffset] = 0x01;
    header[kTableTypeOffset] = fields.systemTable ? kSystemTable : kUserTable;
    StoreU16(header + kMaxColumnsOffset, static_cast<uint16_t>(columns.size()));
    StoreU16(header + kVariableColumnCountOffset,
             static_cast<uint16_t>(layout.variable_column_count()));
    StoreU16(header + kColumnCountOffset, static_cast<uint16_t>(columns.size()));
    StoreU32(header + kUsageMapOffset, fields.usageMap);
    StoreU32(header + kFreeSpaceMapOffset, fields.freeSpaceMap);
    for (size_t i = 0; i < columns.size(); ++i) {
        StoreColumnEntry(columns[i], layout.placement(i),
                         header + kColumnEntriesOffset + kColumnEntrySize * i);
    }
    std::u16string name;
    for (const Column& column : columns) {
        Utf8ToUtf16(column.name, &name);
        AppendU16(&definition, static_cast<uint16_t>(2 * name.size()));
        for (char16_t unit : name) AppendU16(&definition, static_cast<uint16_t>(unit));
    }
    AppendU16(&definition, kEndOfList);
    StoreU32(definition.data() + kLengthOffset,
             static_cast<uint32_t>(definition.size() - kPageHeaderSize));
    return definition;
}

uint32_t TableDefinitionPageCount(size_t definitionSize) {
    const size_t perPage = kPageSize - kPageHeaderSize;
    const size_t body = definitionSize - kPageHeaderSize;
    return static_cast<uint32_t>(std::max<size_t>(1, (body + perPage - 1) / perPage));
}

void StoreTableDefinition(const std::vector<uint8_t>& definition, uint32_t firstPage,
                          PageImage* image) {
    const size_t perPage = kPageSize - kPageHeaderSize;
    const uint32_t pageCount = TableDefinitionPageCount(definition.size());
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
