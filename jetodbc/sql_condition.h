// A WHERE condition bound to the columns of one table and evaluated on its
// rows in SQL's three-valued logic: a comparison with NULL is unknown, NOT
// unknown is unknown, AND is false when either side is false, OR is true
// when either side is true, and only rows for which the whole condition is
// true are kept. Columns are resolved, and the kinds of the compared values
// checked, when the condition is bound, so evaluation cannot fail.
#pragma once

#include <memory>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/sql_ast.h"
#include "jetodbc/value.h"

namespace jetodbc {

// The index in def of the column that ref names: its name matched without
// regard to letter case, its qualifier (if any) equal to the table's name.
// Throws DriverError 42S22 naming the column when there is none.
int ResolveColumn(const ColumnRef& ref, const TableDefinition& def);

enum class Truth { False, True, Unknown };

class BoundCondition {
  public:
    // Binds condition to def. Throws DriverError 42S22 for a column the table
    // lacks and 22018 when text is compared with a number or a date (or a
    // text column stands alone as a condition).
    static std::unique_ptr<BoundCondition> Bind(const Condition& condition,
                                                const TableDefinition& def);

    // The condition's truth for row (one value per column of the table).
    Truth Evaluate(const std::vector<Value>& row) const;

    // Sets (*used)[c] for every column c that Evaluate reads; used holds one
    // entry per column of the table.
    void MarkColumns(std::vector<bool>* used) const;

  private:
    struct Side {
        int column = -1;  // -1: the literal
        Value literal;
        const Value& Get(const std::vector<Value>& row) const {
            return column < 0 ? literal : row[column];
        }
    };

    Condition::Kind kind_ = Condition::Kind::Truth;
    CompareOp op_ = CompareOp::Equal;
    bool negated_ = false;
    Side a_, b_;
    std::unique_ptr<BoundCondition> left_, right_;
};

}  // namespace jetodbc
