#include "jetwriter/table_layout.h"

namespace jetwriter {
namespace {

// Binary columns of the catalog are recorded with the longest length.
constexpr uint16_t kBinaryEntryLength = 255;

uint16_t EntryLength(const Column& column) {
    switch (column.type) {
        case ColumnType::kYesNo:
            return 1;
        case ColumnType::kText:
            return static_cast<uint16_t>(2 * column.text_length);
        case ColumnType::kBinary:
            return kBinaryEntryLength;
        case ColumnType::kMemo:
        case ColumnType::kOle:
            return 0;
        default:
            return static_cast<uint16_t>(FixedAreaSize(column.type));
    }
}

}  // namespace

TableLayout::TableLayout(const std::vector<Column>& columns) {
    placements_.reserve(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnPlacement placement;
        placement.number = static_cast<uint16_t>(i);
        placement.fixed = IsFixedLength(columns[i].type);
        placement.entryLength = EntryLength(columns[i]);
        if (placement.fixed) {
            placement.fixedOffset = static_cast<uint16_t>(fixedAreaSize_);
            fixedAreaSize_ += FixedAreaSize(columns[i].type);
        } else {
            placement.variableIndex = static_cast<uint16_t>(variableColumns_.size());
            variableColumns_.push_back(i);
        }
        placements_.push_back(placement);
    }
}

}  // namespace jetwriter
