// The parsed form of the one statement the driver runs:
//   SELECT [DISTINCT] [TOP n [PERCENT]] items FROM table [[AS] alias]
//     [WHERE condition] [GROUP BY column, ...] [ORDER BY key [ASC|DESC], ...]
// Names are kept as written; resolving them against the table is the
// query's work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jetodbc/value.h"

namespace jetodbc {

// A column named in the statement, possibly qualified by its table.
struct ColumnRef {
    std::string table;  // empty when not qualified
    std::string name;
    size_t position = 0;
};

enum class Aggregate { None, Count, Min, Max, Sum, Avg };

struct SelectItem {
    enum class Kind { AllColumns, TableAllColumns, Column, Aggregate };
    Kind kind = Kind::AllColumns;
    std::string table;  // for TableAllColumns
    ColumnRef column;   // for Column, and Aggregate but COUNT(*)
    Aggregate function = Aggregate::None;
    bool countRows = false;  // COUNT(*)
    std::string alias;       // AS alias; empty when none
    size_t position = 0;
};

// One side of a comparison: a column, a literal value or a parameter marker.
struct Operand {
    enum class Kind { Column, Literal, Parameter };
    Kind kind = Kind::Literal;
    ColumnRef column;
    Value literal;
    size_t parameter = 0;  // 0-based number of the '?' in the statement
    size_t position = 0;

    bool isColumn() const { return kind == Kind::Column; }
};

enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// A condition tree. AND and OR hold all their terms in one node, so a long
// chain of them is one level deep; the parser bounds the nesting of NOT
// and parentheses, so no walk over the tree can run out of stack.
struct Condition {
    enum class Kind {
        And,      // terms[0] AND terms[1] AND ...
        Or,       // terms[0] OR terms[1] OR ...
        Not,      // NOT left
        Compare,  // a op b
        IsNull,   // a IS NULL (negated: IS NOT NULL)
        Truth,    // a alone: true when not NULL and not zero
        Like,     // a LIKE b (negated: NOT LIKE)
        In,       // a IN (list) (negated: NOT IN)
        Between,  // a BETWEEN b AND c (negated: NOT BETWEEN)
    };
    Kind kind = Kind::Truth;
    std::vector<std::unique_ptr<Condition>> terms;  // And, Or
    std::unique_ptr<Condition> left;                // Not
    CompareOp op = CompareOp::Equal;
    Operand a;
    Operand b;
    Operand c;
    std::vector<Operand> list;  // In
    bool negated = false;
};

// An ORDER BY key: a column of the table, the name of a result column (an
// alias), the number of a result column, or an aggregate of the list.
struct OrderItem {
    ColumnRef column;         // when position is 0 and function is None
    size_t resultColumn = 0;  // 1-based; 0 when a name or aggregate is given
    Aggregate function = Aggregate::None;
    bool countRows = false;
    bool descending = false;
    size_t position = 0;
};

struct SelectStatement {
    bool distinct = false;
    bool hasTop = false;
    uint64_t top = 0;
    bool topPercent = false;
    std::vector<SelectItem> items;
    std::string table;
    std::string tableAlias;  // empty when none
    size_t tablePosition = 0;
    std::unique_ptr<Condition> where;  // null when there is no WHERE
    std::vector<ColumnRef> groupBy;
    std::vector<OrderItem> orderBy;
    size_t parameterCount = 0;  // '?' markers, numbered in order of appearance
};

}  // namespace jetodbc
