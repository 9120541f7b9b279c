#include "jetodbc/sql_condition.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "jetodbc/date_time.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/text_codec.h"
#include "jetodbc/type_convert.h"

namespace jetodbc {

namespace {

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

Truth Negate(Truth t, bool negated) {
    if (!negated || t == Truth::Unknown) return t;
    return t == Truth::True ? Truth::False : Truth::True;
}

bool Holds(CompareOp op, int c) {
    switch (op) {
        case CompareOp::Equal:
            return c == 0;
        case CompareOp::NotEqual:
            return c != 0;
        case CompareOp::Less:
            return c < 0;
        case CompareOp::LessEqual:
            return c <= 0;
        case CompareOp::Greater:
            return c > 0;
        case CompareOp::GreaterEqual:
            return c >= 0;
    }
    return false;
}

}  // namespace

int ResolveColumn(const ColumnRef& ref, const TableDefinition& def, std::string_view alias) {
    const bool qualifierFits = ref.table.empty() || SameName(ref.table, def.wideName) ||
                               (!alias.empty() && SameName(ref.table, DecodeUtf8(alias)));
    const int index = qualifierFits ? def.FindColumn(ref.name) : -1;
    if (index < 0) {
        const std::string shown = ref.table.empty() ? ref.name : ref.table + "." + ref.name;
        throw Utf8Error(
            "42S22",
            "Unknown column '" + shown + "' at position " + std::to_string(ref.position) + ".",
            -3010);
    }
    return index;
}

std::unique_ptr<BoundCondition> BoundCondition::Bind(const Condition& c, const TableDefinition& def,
                                                     std::string_view alias,
                                                     std::vector<ParameterUse>* parameters) {
    auto bound = std::unique_ptr<BoundCondition>(new BoundCondition());
    bound->kind_ = c.kind;
    bound->op_ = c.op;
    bound->negated_ = c.negated;
    for (const auto& term : c.terms) bound->terms_.push_back(Bind(*term, def, alias, parameters));
    if (c.left) bound->left_ = Bind(*c.left, def, alias, parameters);
    if (c.kind == Condition::Kind::And || c.kind == Condition::Kind::Or ||
        c.kind == Condition::Kind::Not) {
        return bound;
    }
    auto side = [&](const Operand& o, Side* s) {
        switch (o.kind) {
            case Operand::Kind::Column:
                s->column = ResolveColumn(o.column, def, alias);
                return OfType(def.types[s->column].type);
            case Operand::Kind::Parameter:
                s->parameter = static_cast<int>(o.parameter);
                return Category::Any;
            case Operand::Kind::Literal:
                break;
        }
        s->literal = o.literal;
        return OfValue(o.literal);
    };
    // Two sides compared: their kinds must agree; a marker takes the other's.
    auto use = [&](const Operand& marker, Category category, const Operand& other) {
        if (!parameters || marker.kind != Operand::Kind::Parameter || category == Category::Any) {
            return;
        }
        ParameterUse& u = (*parameters)[marker.parameter];
        u.category = category;
        if (other.kind == Operand::Kind::Column) {
            u.hasType = true;
            u.type = def.types[ResolveColumn(other.column, def, alias)];
        }
    };
    auto pair = [&](const Operand& x, Category cx, const Operand& y, Category cy) {
        if (cx != Category::Any && cy != Category::Any && cx != cy) throw Mismatch();
        use(x, cy, y);
        use(y, cx, x);
    };
    const Category a = side(c.a, &bound->a_);
    switch (c.kind) {
        case Condition::Kind::Compare:
            pair(c.a, a, c.b, side(c.b, &bound->b_));
            break;
        case Condition::Kind::Between:
            pair(c.a, a, c.b, side(c.b, &bound->b_));
            pair(c.a, a, c.c, side(c.c, &bound->c_));
            break;
        case Condition::Kind::In:
            for (const Operand& o : c.list) {
                bound->list_.emplace_back();
                pair(c.a, a, o, side(o, &bound->list_.back()));
            }
            break;
        case Condition::Kind::Like: {
            // Any value matches as its text; the pattern is text.
            const Category b = side(c.b, &bound->b_);
            if (b != Category::Any && b != Category::Text) throw Mismatch();
            use(c.b, Category::Text, c.b);
            if (c.b.kind == Operand::Kind::Literal && !c.b.literal.IsNull()) {
                bound->pattern_ = std::make_unique<LikePattern>(c.b.literal.text);
            }
            break;
        }
        case Condition::Kind::Truth:
            if (a != Category::Number && a != Category::Any) throw Mismatch();
            use(c.a, Category::Number, c.a);
            break;
        default:
            break;
    }
    return bound;
}

void BoundCondition::MarkColumns(std::vector<bool>* used) const {
    for (const auto& term : terms_) term->MarkColumns(used);
    if (left_) left_->MarkColumns(used);
    for (const Side* side : {&a_, &b_, &c_}) {
        if (side->column >= 0) (*used)[side->column] = true;
    }
    for (const Side& side : list_) {
        if (side.column >= 0) (*used)[side.column] = true;
    }
}

Truth BoundCondition::Compare(CompareOp op, const Side& x, const Side& y,
                              const std::vector<Value>& row,
                              const std::vector<Value>& params) const {
    const std::optional<int> c = CompareForCondition(x.Get(row, params), y.Get(row, params));
    if (!c) return Truth::Unknown;
    return Holds(op, *c) ? Truth::True : Truth::False;
}

Truth BoundCondition::Like(const std::vector<Value>& row, const std::vector<Value>& params) const {
    const Value& v = a_.Get(row, params);
    const Value& p = b_.Get(row, params);
    if (v.IsNull() || p.IsNull()) return Truth::Unknown;
    const Utf16 text = TextForLike(v);
    const bool fits = pattern_ ? pattern_->Matches(text) : LikePattern(p.text).Matches(text);
    return fits ? Truth::True : Truth::False;
}

Truth BoundCondition::Evaluate(const std::vector<Value>& row,
                               const std::vector<Value>& params) const {
    switch (kind_) {
        case Condition::Kind::And: {
            Truth t = Truth::True;
            for (const auto& term : terms_) {
                t = jetodbc::And(t, term->Evaluate(row, params));
                if (t == Truth::False) break;
            }
            return t;
        }
        case Condition::Kind::Or: {
            Truth t = Truth::False;
            for (const auto& term : terms_) {
                t = jetodbc::Or(t, term->Evaluate(row, params));
                if (t == Truth::True) break;
            }
            return t;
        }
        case Condition::Kind::Not:
            return Negate(left_->Evaluate(row, params), true);
        case Condition::Kind::IsNull:
            return a_.Get(row, params).IsNull() != negated_ ? Truth::True : Truth::False;
        case Condition::Kind::Truth: {
            const Value& v = a_.Get(row, params);
            if (v.IsNull()) return Truth::Unknown;
            return v.Amount() != 0.0 ? Truth::True : Truth::False;
        }
        case Condition::Kind::Compare:
            return Compare(op_, a_, b_, row, params);
        case Condition::Kind::Between:
            return Negate(jetodbc::And(Compare(CompareOp::GreaterEqual, a_, b_, row, params),
                                       Compare(CompareOp::LessEqual, a_, c_, row, params)),
                          negated_);
        case Condition::Kind::In: {
            Truth t = Truth::False;
            for (const Side& s : list_) {
                t = jetodbc::Or(t, Compare(CompareOp::Equal, a_, s, row, params));
                if (t == Truth::True) break;
            }
            return Negate(t, negated_);
        }
        case Condition::Kind::Like:
            return Negate(Like(row, params), negated_);
    }
    return Truth::Unknown;
}

Utf16 TextForLike(const Value& value) {
    return value.kind == ValueKind::Text ? value.text : DecodeCp1252(ValueAsText(value));
}

void CoerceParameters(const std::vector<ParameterUse>& uses, std::vector<Value>* values) {
    for (size_t i = 0; i < values->size() && i < uses.size(); ++i) {
        Value& v = (*values)[i];
        const Category have = OfValue(v);
        const Category want = uses[i].category;
        if (have == Category::Any || want == Category::Any || have == want) continue;
        if (want == Category::Text && have == Category::Number) {
            v = Value::Text(DecodeCp1252(ValueAsText(v)));
        } else if (want == Category::Number && have == Category::Text) {
            const std::string s = EncodeCp1252(v.text);
            CivilTime date;
            if (uses[i].hasType && uses[i].type.type == SQL_TYPE_TIMESTAMP &&
                ParseDateText(s, &date)) {
                v = Value::DateTime(CivilToJetDays(date));
                continue;
            }
            const char* begin = s.c_str();
            char* end = nullptr;
            errno = 0;
            const long long whole = std::strtoll(begin, &end, 10);
            if (end != begin && *end == '\0' && errno == 0) {
                v = Value::Integer(whole);
                continue;
            }
            const double real = std::strtod(begin, &end);
            if (end == begin || *end != '\0' || !std::isfinite(real)) throw Mismatch();
            v = Value::Double(real);
        } else {
            throw Mismatch();
        }
    }
}

}  // namespace jetodbc
