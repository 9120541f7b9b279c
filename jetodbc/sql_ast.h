// The parsed form of the one statement the driver runs:
//   SELECT list FROM table [WHERE condition] [ORDER BY column [ASC|DESC], ...]
// Names are kept as written (Windows-1252); resolving them against the table
// is the query's work.
#pragma once

#include <cstddef>
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

struct SelectItem {
    enum class Kind { AllColumns, TableAllColumns, Column };
    Kind kind = Kind::AllColumns;
    std::string table;  // for TableAllColumns
    ColumnRef column;   // for Column
    size_t position = 0;
};

// One side of a comparison: a column or a literal value.
struct Operand {
    bool isColumn = false;
    ColumnRef column;
    Value literal;
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
    };
    Kind kind = Kind::Truth;
    std::vector<std::unique_ptr<Condition>> terms;  // And, Or
    std::unique_ptr<Condition> left;                // Not
    CompareOp op = CompareOp::Equal;
    Operand a;
    Operand b;
    bool negated = false;
};

struct OrderItem {
    ColumnRef column;
    bool descending = false;
};

struct SelectStatement {
    std::vector<SelectItem> items;
    std::string table;
    size_t tablePosition = 0;
    std::unique_ptr<Condition> where;  // null when there is no WHERE
    std::vector<OrderItem> orderBy;
};

}  // namespace jetodbc
