#include "jetodbc/table_rows.h"

namespace jetodbc {

TableRows::TableRows(std::vector<std::vector<Value>> rows) : rows_(std::move(rows)) {}

TableRows::TableRows(std::shared_ptr<const JetImage> image, const TableStructure& structure,
                     std::vector<ColumnLayout> columns)
    : located_(true),
      image_(std::move(image)),
      reader_(std::make_unique<TableRowReader>(*image_, structure, std::move(columns))) {
    reader_->ReadLocatedRows(
        {}, [&](RowLocation location, std::vector<Value>&) { locations_.push_back(location); });
    locations_.shrink_to_fit();
}

const std::vector<Value>& TableRows::Row(size_t index, std::vector<Value>* scratch,
                                         const std::vector<bool>& wanted) const {
    if (!located_) return rows_[index];
    // The image never changes and this row was cut once already, so cutting
    // it again gives the same values.
    reader_->ReadRow(locations_[index], wanted, scratch);
    return *scratch;
}

}  // namespace jetodbc
