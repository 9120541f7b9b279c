// A SELECT statement prepared against one database: parsed, its table and
// columns resolved, its condition bound. Executing it reads the table's rows
// (from the database's cache) and carries the statement out in SQL's order:
// WHERE keeps the rows the condition holds for; GROUP BY (or an aggregate
// without it) folds them into one row per group, groups in the order of
// their keys; DISTINCT drops repeated rows, keeping the first; ORDER BY
// sorts with a stable sort, so rows with equal keys keep their order, NULL
// first ascending and last descending; TOP keeps the first rows.
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
    // syntax error or a column neither grouped nor aggregated, 42S02 for an
    // unknown table, 42S22 for an unknown column, 22018 for a comparison of
    // mismatched kinds or a sum of text, HY000 for a statement that would
    // change the file or a damaged definition, HYC00 for a saved query or
    // linked table.
    static Query Prepare(Database& db, std::string_view sql);
    // As Prepare, shared with every earlier preparation of the same text on
    // db (see Database::KeptQuery).
    static std::shared_ptr<const Query> PrepareKept(Database& db, std::string_view sql);

    // The result's columns, known before execution.
    const std::vector<ResultColumn>& columns() const { return *columns_; }

    // The statement's parameter markers, in order, and what each is
    // compared with.
    const std::vector<ParameterUse>& parameters() const { return parameters_; }

    // Runs the query on db (the database it was prepared against) with one
    // value per parameter marker. Throws DriverError HY000 when the table's
    // rows are damaged, 22018 when a parameter does not fit what it is
    // compared with, 22003 when a sum overflows its type.
    ResultSet Execute(Database& db, std::vector<Value> parameters = {}) const;

  private:
    struct OrderKey {
        int column;  // a column of the table, or of the folded rows when grouped
        bool descending;
    };
    // A column of the folded rows: a grouped column's value or an aggregate.
    struct Output {
        Aggregate function = Aggregate::None;
        int column = -1;  // table column; -1 for COUNT(*)
    };

    ResultSet Plain(std::shared_ptr<const TableRows> store,
                    const std::vector<Value>& parameters) const;
    ResultSet Grouped(const TableRows& rows, const std::vector<Value>& parameters) const;
    // Drops from order the rows repeated in distinctColumns (keeping the
    // first of each), sorts it by sortColumns (one per order_ key, in turn)
    // and cuts it to TOP. order starts as every row, 0 upwards; value(row,
    // column) is a row's value in a column.
    template <class ValueAt>
    void Finish(const ValueAt& value, const std::vector<uint32_t>& distinctColumns,
                const std::vector<uint32_t>& sortColumns, std::vector<uint32_t>* order) const;
    // Sorts order as Finish does when every sort key of its rows is a whole
    // number, a Yes/No or NULL, each read once rather than at every
    // comparison. False, with order untouched, when some key is another kind.
    template <class ValueAt>
    bool SortByWholeNumbers(const ValueAt& value, const std::vector<uint32_t>& sortColumns,
                            std::vector<uint32_t>* order) const;

    const CatalogEntry* table_ = nullptr;
    std::shared_ptr<const TableDefinition> definition_;
    // Shared with every result, which never changes them.
    std::shared_ptr<const std::vector<ResultColumn>> columns_ =
        std::make_shared<const std::vector<ResultColumn>>();
    std::vector<uint32_t> projection_;  // result column -> table column (plain)
    std::shared_ptr<const BoundCondition> where_;
    std::vector<ParameterUse> parameters_;
    bool grouped_ = false;
    std::vector<int> groupBy_;
    std::vector<Output> outputs_;  // visible ones first, then those only ORDER BY uses
    std::vector<OrderKey> order_;
    bool distinct_ = false;
    bool hasTop_ = false;
    uint64_t top_ = 0;
    bool topPercent_ = false;
};

}  // namespace jetodbc
