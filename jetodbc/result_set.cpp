#include "jetodbc/result_set.h"

namespace jetodbc {

ResultSet ResultSet::FromRows(std::vector<ResultColumn> columns,
                              std::vector<std::vector<Value>> rows) {
    ResultSet r;
    auto store = std::make_shared<TableRows>();
    store->rows = std::move(rows);
    r.order.resize(store->rows.size());
    for (size_t i = 0; i < r.order.size(); ++i) r.order[i] = static_cast<uint32_t>(i);
    r.projection.resize(columns.size());
    for (size_t i = 0; i < r.projection.size(); ++i) r.projection[i] = static_cast<uint32_t>(i);
    r.columns = std::move(columns);
    r.store = std::move(store);
    return r;
}

const Value& ResultSet::StoredValue(size_t row, size_t column) const {
    if (current_.row != row) {
        current_.row = static_cast<size_t>(-1);  // stays so when the split fails
        table->reader->SplitRow(table->rows[row], &current_.fields);
        current_.decoded.assign(current_.fields.size(), 0);
        current_.values.resize(current_.fields.size());
        current_.row = row;
    }
    Value& value = current_.values[column];
    if (!current_.decoded[column]) {
        // Back to NULL, keeping the strings' room for the next row.
        value.kind = ValueKind::Null;
        value.integer = 0;
        value.real = 0.0;
        value.text.clear();
        value.bytes.clear();
        table->reader->DecodeValue(current_.fields[column], column, &value);
        current_.decoded[column] = 1;
    }
    return value;
}

}  // namespace jetodbc
