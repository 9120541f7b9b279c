// What an executed statement yields: the description of its columns and its
// rows. The rows are a view onto a shared row store (a table's stored rows,
// its decoded rows, or rows built for a catalog call): an ordering of the
// store's rows and a choice of its columns, so that a SELECT copies no values.
#pragma once

#include <sql.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/sql_type_info.h"
#include "jetodbc/value.h"

namespace jetodbc {

struct ResultColumn {
    std::string name;   // Windows-1252
    std::string table;  // base table, empty for catalog results
    SqlTypeInfo type;
    SQLSMALLINT nullable = SQL_NULLABLE;
    bool autoNumber = false;
};

struct ResultSet {
    std::vector<ResultColumn> columns;
    // The rows: either rows built for the result (catalog calls, or a
    // table's rows decoded for a condition or an order), or a table's stored
    // rows, decoded a row at a time as the result reaches them.
    std::shared_ptr<const TableRows> store;
    std::shared_ptr<const StoredRows> table;
    std::vector<uint32_t> order;       // rows of the store, in result order
    std::vector<uint32_t> projection;  // result column -> store column

    size_t row_count() const { return order.size(); }
    // The value of result column column in result row row (both 0-based and
    // in range). The reference holds until the next call. Throws DriverError
    // HY000 when the row's stored fields are damaged.
    const Value& At(size_t row, size_t column) const {
        if (store) return store->rows[order[row]][projection[column]];
        return StoredValue(order[row], projection[column]);
    }

    // A result set over rows built for it: every row in order, every column.
    static ResultSet FromRows(std::vector<ResultColumn> columns,
                              std::vector<std::vector<Value>> rows);

  private:
    // The row of table last split, and the values decoded from it so far.
    struct CurrentRow {
        size_t row = static_cast<size_t>(-1);
        std::vector<FieldSlice> fields;
        std::vector<Value> values;
        std::vector<uint8_t> decoded;  // per column: values holds it
    };

    const Value& StoredValue(size_t row, size_t column) const;

    mutable CurrentRow current_;
};

}  // namespace jetodbc
