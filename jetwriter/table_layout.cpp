#include "jetwriter/table_layout.h"

namespace jetwriter {
namespace {

// Binary columns of the catalog are recorded with the longest length.
constexpr uint16_t kBinaryEntryLength = 255;

uint16_t EntryLength(const Column& column, JetFormat format) {
    switch (column.type) {
        case ColumnType::kYesNo:
            return 1;
        case ColumnType::kText:
            // Jet 3 counts the bytes of one code page, Jet 4 those of UTF-16.
            return static_cast<uint16_t>((format == JetFormat::kJet3 ? 1 : 2) * column.text_length);
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

TableLayout::TableLayout(const std::vector<Column>& columns, JetFormat format) {
    placements_.reserve(columns.size());
    fixedAreaEnd_.push_back(0);
    variablesBefore_.push_back(0);
    size_t fixedAreaSize = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnPlacement placement;
        placement.number = static_cast<uint16_t>(i);
        placement.fixed = IsFixedLength(columns[i].type);
        placement.entryLength = EntryLength(columns[i], format);
        placement.variableIndex = static_cast<uint16_t>(variableColumns_.size());
        if (placement.fixed) {
            placement.fixedOffset = static_cast<uint16_t>(fixedAreaSize);
            fixedAreaSize += FixedAreaSize(columns[i].type);
        } else {
            variableColumns_.push_back(i);
        }
        placements_.push_back(placement);
        fixedAreaEnd_.push_back(fixedAreaSize);
        variablesBefore_.push_back(variableColumns_.size());
    }
}

}  // namespace jetwriter
