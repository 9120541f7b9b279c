// A SELECT statement prepared against one database: parsed, its table and
// columns resolved, its condition bound. Executing it reads the table's rows
// (from the database's cache), keeps those the condition holds for and
// orders them by the ORDER BY keys with a stable sort, so rows with equal
// keys keep their stored order; NULL comes first in ascending order and last
// in descending order.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/result_set.h"
#include "jetodbc/sql_condition.h"

namespace jetodbc {

class Query {
  public:
    // Parses sql and resolves it against db. Throws DriverError: 42000 for a
    // syntax error, 42S02 for an unknown table, 42S22 for an unknown column,
    // 22018 for a comparison of mismatched kinds, HYC00 for a saved query or
    // linked table, HY000 for a damaged definition.
    static Query Prepare(Database& db, std::string_view sql);

    // The result's columns, known before execution.
    const std::vector<ResultColumn>& columns() const { return columns_; }

    // Runs the query on db (the database it was prepared against). Throws
    // DriverError HY000 when the table's rows are damaged.
    ResultSet Execute(Database& db) const;

  private:
    struct OrderKey {
        int column;
        bool descending;
    };

    const CatalogEntry* table_ = nullptr;
    std::shared_ptr<const TableDefinition> definition_;
    std::vector<ResultColumn> columns_;
    std::vector<uint32_t> projection_;
    std::shared_ptr<const BoundCondition> where_;
    std::vector<OrderKey> order_;
};

}  // namespace jetodbc
