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
    if (!where_ && order_.empty()) {
        // Every row in stored order: nothing is decoded until it is fetched.
        r.table = db.Rows(*table_);
        r.order.resize(r.table->rows.size());
        for (size_t i = 0; i < r.order.size(); ++i) r.order[i] = static_cast<uint32_t>(i);
        return r;
    }
    r.store = db.DecodedRows(*table_);
    const auto& rows = r.store->rows;
    r.order.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!where_ || where_->Evaluate(rows[i]) == Truth::True) {
            r.order.push_back(static_cast<uint32_t>(i));
        }
    }
    if (!order_.empty()) {
        std::stable_sort(r.order.begin(), r.order.end(), [&](uint32_t x, uint32_t y) {
            for (const OrderKey& key : order_) {
                const int c = CompareForOrder(rows[x][key.column], rows[y][key.column]);
                if (c != 0) return key.descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    return r;
}

}  // namespace jetodbc
