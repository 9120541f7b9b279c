// A WHERE condition bound to the columns of one table and evaluated on its
// rows in SQL's three-valued logic: a comparison with NULL is unknown, NOT
// unknown is unknown, AND is false when either side is false, OR is true
// when either side is true, and only rows for which the whole condition is
// true are kept. Columns are resolved, and the kinds of the compared values
// checked, when the condition is bound; parameter values are brought to the
// kind they are compared with before evaluation (CoerceParameters), so
// evaluation cannot fail.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/like_pattern.h"
#include "jetodbc/sql_ast.h"
#include "jetodbc/value.h"

namespace jetodbc {

// The index in def of the column that ref (UTF-8) names: its name matched
// without regard to letter case, its qualifier (if any) equal to the table's
// name or to alias (when not empty). Throws DriverError 42S22 naming the column
// when there is none.
int ResolveColumn(const ColumnRef& ref, const TableDefinition& def, std::string_view alias = {});

enum class Truth { False, True, Unknown };

// The kinds of value that compare with each other.
enum class Category { Any, Number, Text, Bytes };

// What a parameter marker is compared with: the kind, and the column's type
// when the other side is a column.
struct ParameterUse {
    Category category = Category::Any;
    bool hasType = false;
    SqlTypeInfo type;
};

class BoundCondition {
  public:
    // Binds condition to def (whose table the statement may call alias).
    // Throws DriverError 42S22 for a column the table lacks and 22018 when
    // text is compared with a number or a date (or a text column stands
    // alone as a condition). When parameters is given it holds one entry per
    // parameter marker of the statement, and each marker's entry becomes
    // what it is compared with (Any when that is another marker or NULL).
    static std::unique_ptr<BoundCondition> Bind(const Condition& condition,
                                                const TableDefinition& def,
                                                std::string_view alias = {},
                                                std::vector<ParameterUse>* parameters = nullptr);

    // The condition's truth for row (one value per column of the table),
    // with parameters (one per marker, already coerced) for the markers.
    Truth Evaluate(const std::vector<Value>& row, const std::vector<Value>& parameters = {}) const;

    // Sets (*used)[c] for every column c that Evaluate reads; used holds one
    // entry per column of the table.
    void MarkColumns(std::vector<bool>* used) const;

  private:
    struct Side {
        int column = -1;     // -1: the literal or the parameter
        int parameter = -1;  // -1: not a parameter
        Value literal;
        const Value& Get(const std::vector<Value>& row, const std::vector<Value>& params) const {
            if (column >= 0) return row[column];
            return parameter >= 0 ? params[parameter] : literal;
        }
    };
    Truth Compare(CompareOp op, const Side& x, const Side& y, const std::vector<Value>& row,
                  const std::vector<Value>& params) const;
    Truth Like(const std::vector<Value>& row, const std::vector<Value>& params) const;

    Condition::Kind kind_ = Condition::Kind::Truth;
    CompareOp op_ = CompareOp::Equal;
    bool negated_ = false;
    Side a_, b_, c_;
    std::vector<Side> list_;                              // In
    std::unique_ptr<LikePattern> pattern_;                // Like with a literal pattern
    std::vector<std::unique_ptr<BoundCondition>> terms_;  // And, Or
    std::unique_ptr<BoundCondition> left_;                // Not
};

// Brings each parameter value to the kind its marker is compared with:
// text to a number (22018 when it is not one), a number or date to its
// text. NULL stays NULL; binary data is only compared with binary data.
// Throws DriverError 22018 when a value cannot be brought to its kind.
void CoerceParameters(const std::vector<ParameterUse>& uses, std::vector<Value>* values);

// The text LIKE matches a value against: text as it is, other values in
// the form SQL_C_CHAR shows them.
Utf16 TextForLike(const Value& value);

}  // namespace jetodbc
