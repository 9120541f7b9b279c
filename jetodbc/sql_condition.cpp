#include "jetodbc/sql_condition.h"

#include "jetodbc/driver_error.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

enum class Category { Any, Number, Text, Bytes };

Category OfType(SQLSMALLINT type) {
    switch (type) {
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
            return Category::Text;
        case SQL_BINARY:
        case SQL_LONGVARBINARY:
        case SQL_GUID:
            return Category::Bytes;
        default:
            return Category::Number;
    }
}

Category OfValue(const Value& v) {
    if (v.IsNull()) return Category::Any;
    if (v.kind == ValueKind::Text) return Category::Text;
    if (v.kind == ValueKind::Binary || v.kind == ValueKind::Guid) return Category::Bytes;
    return Category::Number;
}

DriverError Mismatch() {
    return DriverError("22018", "Data type mismatch in criteria expression.", -3030);
}

Truth And(Truth a, Truth b) {
    if (a == Truth::False || b == Truth::False) return Truth::False;
    if (a == Truth::Unknown || b == Truth::Unknown) return Truth::Unknown;
    return Truth::True;
}

Truth Or(Truth a, Truth b) {
    if (a == Truth::True || b == Truth::True) return Truth::True;
    if (a == Truth::Unknown || b == Truth::Unknown) return Truth::Unknown;
    return Truth::False;
}

}  // namespace

int ResolveColumn(const ColumnRef& ref, const TableDefinition& def) {
    const int index =
        ref.table.empty() || EqualsNoCase(ref.table, def.name) ? def.FindColumn(ref.name) : -1;
    if (index < 0) {
        const std::string shown = ref.table.empty() ? ref.name : ref.table + "." + ref.name;
        throw DriverError(
            "42S22",
            "Unknown column '" + shown + "' at position " + std::to_string(ref.position) + ".",
            -3010);
    }
    return index;
}

std::unique_ptr<BoundCondition> BoundCondition::Bind(const Condition& c,
                                                     const TableDefinition& def) {
    auto bound = std::unique_ptr<BoundCondition>(new BoundCondition());
    bound->kind_ = c.kind;
    bound->op_ = c.op;
    bound->negated_ = c.negated;
    if (c.left) bound->left_ = Bind(*c.left, def);
    if (c.right) bound->right_ = Bind(*c.right, def);
    if (c.kind == Condition::Kind::And || c.kind == Condition::Kind::Or ||
        c.kind == Condition::Kind::Not) {
        return bound;
    }
    auto side = [&](const Operand& o, Side* s) {
        if (o.isColumn) {
            s->column = ResolveColumn(o.column, def);
            return OfType(def.types[s->column].type);
        }
        s->literal = o.literal;
        return OfValue(o.literal);
    };
    const Category a = side(c.a, &bound->a_);
    if (c.kind == Condition::Kind::Compare) {
        const Category b = side(c.b, &bound->b_);
        if (a != Category::Any && b != Category::Any && a != b) throw Mismatch();
    } else if (c.kind == Condition::Kind::Truth && a != Category::Number && a != Category::Any) {
        throw Mismatch();
    }
    return bound;
}

void BoundCondition::MarkColumns(std::vector<bool>* used) const {
    if (left_) left_->MarkColumns(used);
    if (right_) right_->MarkColumns(used);
    if (a_.column >= 0) (*used)[a_.column] = true;
    if (b_.column >= 0) (*used)[b_.column] = true;
}

Truth BoundCondition::Evaluate(const std::vector<Value>& row) const {
    switch (kind_) {
        case Condition::Kind::And: {
            const Truth l = left_->Evaluate(row);
            return l == Truth::False ? l : And(l, right_->Evaluate(row));
        }
        case Condition::Kind::Or: {
            const Truth l = left_->Evaluate(row);
            return l == Truth::True ? l : Or(l, right_->Evaluate(row));
        }
        case Condition::Kind::Not: {
            const Truth t = left_->Evaluate(row);
            return t == Truth::Unknown ? t : (t == Truth::True ? Truth::False : Truth::True);
        }
        case Condition::Kind::IsNull:
            return a_.Get(row).IsNull() != negated_ ? Truth::True : Truth::False;
        case Condition::Kind::Truth: {
            const Value& v = a_.Get(row);
            if (v.IsNull()) return Truth::Unknown;
            return v.Amount() != 0.0 ? Truth::True : Truth::False;
        }
        case Condition::Kind::Compare:
            break;
    }
    const std::optional<int> c = CompareForCondition(a_.Get(row), b_.Get(row));
    if (!c) return Truth::Unknown;
    bool holds = false;
    switch (op_) {
        case CompareOp::Equal:
            holds = *c == 0;
            break;
        case CompareOp::NotEqual:
            holds = *c != 0;
            break;
        case CompareOp::Less:
            holds = *c < 0;
            break;
        case CompareOp::LessEqual:
            holds = *c <= 0;
            break;
        case CompareOp::Greater:
            holds = *c > 0;
            break;
        case CompareOp::GreaterEqual:
            holds = *c >= 0;
            break;
    }
    return holds ? Truth::True : Truth::False;
}

}  // namespace jetodbc
