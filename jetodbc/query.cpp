#include "jetodbc/query.h"

#include <algorithm>

#include "jetodbc/driver_error.h"
#include "jetodbc/sql_parser.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

DriverError UnknownTable(const std::string& name) {
    return DriverError("42S02",
                       "The table '" + name +
                           "' does not exist. Make sure it exists and that "
                           "its name is spelled correctly.",
                       -1305);
}

}  // namespace

Query Query::Prepare(Database& db, std::string_view sql) {
    const SelectStatement statement = ParseSelect(sql);
    Query q;
    q.table_ = db.Find(statement.table);
    if (!q.table_) throw UnknownTable(statement.table);
    q.definition_ = db.Definition(*q.table_);
    const TableDefinition& def = *q.definition_;

    auto addColumn = [&](int index) {
        ResultColumn c;
        c.name = def.columns[index].name;
        c.table = def.name;
        c.type = def.types[index];
        c.autoNumber = def.columns[index].autoNumber;
        c.nullable = c.autoNumber ? SQL_NO_NULLS : SQL_NULLABLE;
        q.columns_.push_back(std::move(c));
        q.projection_.push_back(static_cast<uint32_t>(index));
    };
    for (const SelectItem& item : statement.items) {
        switch (item.kind) {
            case SelectItem::Kind::TableAllColumns:
                if (!EqualsNoCase(item.table, def.name)) throw UnknownTable(item.table);
                [[fallthrough]];
            case SelectItem::Kind::AllColumns:
                for (size_t i = 0; i < def.columns.size(); ++i) addColumn(static_cast<int>(i));
                break;
            case SelectItem::Kind::Column:
                addColumn(ResolveColumn(item.column, def));
                break;
        }
    }
    if (statement.where) q.where_ = BoundCondition::Bind(*statement.where, def);
    for (const OrderItem& item : statement.orderBy) {
        q.order_.push_back({ResolveColumn(item.column, def), item.descending});
    }
    return q;
}

ResultSet Query::Execute(Database& db) const {
    ResultSet r;
    r.columns = columns_;
    r.projection = projection_;
    r.store = db.Rows(*table_);
    const TableRows& rows = *r.store;
    if (!where_ && order_.empty()) {
        // Every row in stored order: nothing is split until it is fetched.
        r.order.resize(rows.size());
        for (size_t i = 0; i < r.order.size(); ++i) r.order[i] = static_cast<uint32_t>(i);
        return r;
    }
    r.order.reserve(rows.size());
    // Rows are reached one at a time and only the columns that the
    // condition and the order read are decoded; only the sort keys of the
    // chosen rows are kept, row after row in keys.
    std::vector<bool> wanted(definition_->columns.size(), false);
    if (where_) where_->MarkColumns(&wanted);
    for (const OrderKey& key : order_) wanted[key.column] = true;
    RowCursor cursor;
    std::vector<Value> keys;
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<Value>& values = cursor.Row(rows, i, wanted);
        if (where_ && where_->Evaluate(values) != Truth::True) continue;
        r.order.push_back(static_cast<uint32_t>(i));
        for (const OrderKey& key : order_) keys.push_back(values[key.column]);
    }
    if (!order_.empty()) {
        // Sorted by position in keys, then mapped back to the store's rows.
        const size_t width = order_.size();
        std::vector<uint32_t> chosen(r.order.size());
        for (size_t i = 0; i < chosen.size(); ++i) chosen[i] = static_cast<uint32_t>(i);
        std::stable_sort(chosen.begin(), chosen.end(), [&](uint32_t x, uint32_t y) {
            for (size_t k = 0; k < width; ++k) {
                const int c = CompareForOrder(keys[x * width + k], keys[y * width + k]);
                if (c != 0) return order_[k].descending ? c > 0 : c < 0;
            }
            return false;
        });
        std::vector<uint32_t> sorted(chosen.size());
        for (size_t i = 0; i < chosen.size(); ++i) sorted[i] = r.order[chosen[i]];
        r.order = std::move(sorted);
    }
    return r;
}

}  // namespace jetodbc
