#include "jetodbc/table_rows.h"

namespace jetodbc {

TableRows::TableRows(std::vector<std::vector<Value>> rows) : rows_(std::move(rows)) {}

TableRows::TableRows(std::shared_ptr<const JetImage> image, const TableStructure& structure,
                     std::vector<ColumnLayout> columns)
    : located_(true),
      image_(std::move(image)),
      reader_(std::make_unique<TableRowReader>(*image_, structure, std::move(columns))),
      spans_(reader_->LocateRows()) {}

void RowCursor::Reach(const TableRows& rows, size_t index) {
    if (&rows == rows_ && index == row_) return;
    row_ = kNoRow;  // stays so when the split fails
    rows_ = &rows;
    rows.reader_->SplitRow(rows.spans_[index], &fields_);
    decoded_.assign(fields_.size(), 0);
    values_.resize(fields_.size());
    row_ = index;
}

const Value& RowCursor::Decode(const TableRows& rows, size_t index, size_t column) {
    Reach(rows, index);
    Value& value = values_[column];
    if (!decoded_[column]) {
        // Back to NULL, keeping the strings' room for the next row.
        value.kind = ValueKind::Null;
        value.integer = 0;
        value.real = 0.0;
        value.text.clear();
        value.bytes.clear();
        rows.reader_->DecodeValue(fields_[column], column, &value);
        decoded_[column] = 1;
    }
    return value;
}

const std::vector<Value>& RowCursor::Row(const TableRows& rows, size_t index,
                                         const std::vector<bool>& wanted) {
    if (!rows.located_) return rows.rows_[index];
    Reach(rows, index);
    for (size_t c = 0; c < values_.size(); ++c) {
        if (wanted.empty() || wanted[c]) Decode(rows, index, c);
    }
    return values_;
}

}  // namespace jetodbc
