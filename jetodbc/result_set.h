// What an executed statement yields: the description of its columns and its
// rows. The rows are a view onto a shared row store (a table's rows, or rows
// built for a catalog call): an ordering of the store's rows and a choice of
// its columns, so that a SELECT copies no values; the row being fetched is
// the only one split, and only the values the client reads are decoded.
#pragma once

#include <sql.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/sql_type_info.h"
#include "jetodbc/table_rows.h"
#include "jetodbc/value.h"

namespace jetodbc {

struct ResultColumn {
    std::string name;   // Windows-1252
    Utf16 wideName;     // the same, whole; empty: name's own characters
    std::string table;  // base table, empty for catalog results
    Utf16 wideTable;    // the same, whole
    SqlTypeInfo type;
    SQLSMALLINT nullable = SQL_NULLABLE;
    bool autoNumber = false;
};

// The rows of a store that a result shows, in the result's order: either the
// store's first rows as stored, which needs no list, or a list of row numbers.
class RowOrder {
  public:
    RowOrder() = default;
    explicit RowOrder(std::vector<uint32_t> rows) : rows_(std::move(rows)) {}
    static RowOrder Stored(size_t rows) {
        RowOrder order;
        order.stored_ = true;
        order.storedRows_ = rows;
        return order;
    }

    size_t size() const { return stored_ ? storedRows_ : rows_.size(); }
    // The store row of result row i (in range).
    uint32_t operator[](size_t i) const { return stored_ ? static_cast<uint32_t>(i) : rows_[i]; }
    // Keeps the first rows only; more than there are keeps them all.
    void Truncate(size_t rows) {
        if (rows >= size()) return;
        if (stored_) {
            storedRows_ = rows;
        } else {
            rows_.resize(rows);
        }
    }

  private:
    bool stored_ = false;
    size_t storedRows_ = 0;
    std::vector<uint32_t> rows_;
};

// A result's columns, shared by every result of one prepared statement.
using ResultColumns = std::shared_ptr<const std::vector<ResultColumn>>;

struct ResultSet {
    ResultColumns columns;  // never null once built
    std::shared_ptr<const TableRows> store;
    RowOrder order;                    // rows of the store, in result order
    std::vector<uint32_t> projection;  // result column -> store column

    size_t row_count() const { return order.size(); }
    // The value of result column column in result row row (both 0-based and
    // in range). Valid until At is next called for another row. Throws
    // DriverError HY000 when the row's stored fields are damaged.
    const Value& At(size_t row, size_t column) const {
        return cursor_.At(*store, order[row], projection[column]);
    }

    // How result column column is stored when the rows come from a table
    // (null when they were built as values), and its field in result row
    // row: the raw form of what At decodes, valid and throwing as At.
    const ColumnLayout* StoredLayout(size_t column) const {
        return store->layout(projection[column]);
    }
    const FieldSlice& FieldAt(size_t row, size_t column) const {
        return cursor_.Field(*store, order[row], projection[column]);
    }
    // The stored fields of result row row, indexed by store column (see
    // projection), for rows read from a table; valid, and throws, as At.
    const FieldSlice* FieldsOf(size_t row) const { return cursor_.Fields(*store, order[row]); }
    bool jet3() const { return store->jet3(); }

    // A result set over rows built for it: every row in order, every column.
    static ResultSet FromRows(ResultColumns columns, std::vector<std::vector<Value>> rows);
    static ResultSet FromRows(std::vector<ResultColumn> columns,
                              std::vector<std::vector<Value>> rows);

  private:
    // The row At last reached; a copy of the result set carries its own.
    mutable RowCursor cursor_;
};

}  // namespace jetodbc
