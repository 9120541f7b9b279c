#include "jetwriter/value.h"

#include <utility>

namespace jetwriter {

Value Value::Boolean(bool value) {
    Value result;
    result.kind_ = Kind::kBoolean;
    result.integer_ = value ? 1 : 0;
    return result;
}

Value Value::Integer(int64_t value) {
    Value result;
    result.kind_ = Kind::kInteger;
    result.integer_ = value;
    return result;
}

Value Value::Real(double value) {
    Value result;
    result.kind_ = Kind::kReal;
    result.real_ = value;
    return result;
}

Value Value::Currency(int64_t tenThousandths) {
    Value result;
    result.kind_ = Kind::kCurrency;
    result.integer_ = tenThousandths;
    return result;
}

Value Value::DateTime(double dayNumber) {
    Value result;
    result.kind_ = Kind::kDateTime;
    result.real_ = dayNumber;
    return result;
}

Value Value::Decimal(std::string number) {
    Value result;
    result.kind_ = Kind::kDecimal;
    result.text_ = std::move(number);
    return result;
}

Value Value::Text(std::string utf8) {
    Value result;
    result.kind_ = Kind::kText;
    result.text_ = std::move(utf8);
    return result;
}

bool Value::operator==(const Value& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
        case Kind::kNull:
            return true;
        case Kind::kBoolean:
        case Kind::kInteger:
        case Kind::kCurrency:
            return integer_ == other.integer_;
        case Kind::kReal:
        case Kind::kDateTime:
            return real_ == other.real_;
        case Kind::kDecimal:
        case Kind::kText:
            return text_ == other.text_;
    }
    return false;
}

const char* ValueKindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::kNull:
            return "NULL";
        case Value::Kind::kBoolean:
            return "Yes/No value";
        case Value::Kind::kInteger:
            return "integer";
        case Value::Kind::kReal:
            return "floating-point number";
        case Value::Kind::kCurrency:
            return "currency amount";
        case Value::Kind::kDateTime:
            return "date/time";
        case Value::Kind::kDecimal:
            return "decimal number";
        case Value::Kind::kText:
            return "text";
    }
    return "?";
}

}  // namespace jetwriter
