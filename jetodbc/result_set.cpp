#include "jetodbc/result_set.h"

namespace jetodbc {

ResultSet ResultSet::FromRows(std::vector<ResultColumn> columns,
                              std::vector<std::vector<Value>> rows) {
    return FromRows(std::make_shared<const std::vector<ResultColumn>>(std::move(columns)),
                    std::move(rows));
}

ResultSet ResultSet::FromRows(ResultColumns columns, std::vector<std::vector<Value>> rows) {
    ResultSet r;
    auto store = std::make_shared<const TableRows>(std::move(rows));
    r.order = RowOrder::Stored(store->size());
    r.projection.resize(columns->size());
    for (size_t i = 0; i < r.projection.size(); ++i) r.projection[i] = static_cast<uint32_t>(i);
    r.columns = std::move(columns);
    r.store = std::move(store);
    return r;
}

}  // namespace jetodbc
