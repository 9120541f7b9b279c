#include "jetodbc/table_rows.h"

#include <algorithm>

namespace jetodbc {

TableRows::TableRows(std::vector<std::vector<Value>> rows) : rows_(std::move(rows)) {}

TableRows::TableRows(std::shared_ptr<const JetImage> image, const TableStructure& structure,
                     std::vector<ColumnLayout> columns)
    : located_(true),
      image_(std::move(image)),
      reader_(std::make_unique<TableRowReader>(*image_, structure, std::move(columns))),
      spans_(reader_->LocateRows()) {}

void RowCursor::Reach(const TableRows& rows, size_t index) {
    row_ = kNoRow;  // stays so when the split fails
    if (&rows != rows_) {
        rows_ = &rows;
        const size_t columns = rows.reader_->columns().size();
        fields_.resize(columns);
        values_.resize(columns);
        decoded_.assign(columns, 0);
        stamp_ = 0;
    }
    if (++stamp_ == 0) {  // wrapped: no entry may claim the new row
        std::fill(decoded_.begin(), decoded_.end(), 0);
        stamp_ = 1;
    }
    rows.reader_->SplitRow(rows.spans_[index], fields_.data());
    row_ = index;
}

void RowCursor::DecodeColumn(size_t column) {
    // Back to NULL, keeping the strings' room for the next row.
    Value& value = values_[column];
    value.kind = ValueKind::Null;
    value.integer = 0;
    value.real = 0.0;
    value.text.clear();
    value.bytes.clear();
    rows_->reader_->DecodeValue(fields_[column], column, &value);
    decoded_[column] = stamp_;
}

const std::vector<Value>& RowCursor::Row(const TableRows& rows, size_t index,
                                         const std::vector<bool>& wanted) {
    if (!rows.located_) return rows.rows_[index];
    if (&rows != rows_ || index != row_) Reach(rows, index);
    for (size_t c = 0; c < values_.size(); ++c) {
        if (decoded_[c] != stamp_ && (wanted.empty() || wanted[c])) DecodeColumn(c);
    }
    return values_;
}

}  // namespace jetodbc
