#include "jetodbc/value.h"

#include <cstdlib>

#include "jetodbc/driver_error.h"

namespace jetodbc {

namespace {

int Sign(double d) { return d < 0 ? -1 : (d > 0 ? 1 : 0); }

// Both values are numeric: compare exactly where both are whole numbers.
int CompareAmounts(const Value& a, const Value& b) {
    const bool wholeA = a.kind == ValueKind::Integer || a.kind == ValueKind::Bit;
    const bool wholeB = b.kind == ValueKind::Integer || b.kind == ValueKind::Bit;
    if (wholeA && wholeB) {
        const int64_t x = a.kind == ValueKind::Bit ? -a.integer : a.integer;
        const int64_t y = b.kind == ValueKind::Bit ? -b.integer : b.integer;
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.kind == ValueKind::Currency && b.kind == ValueKind::Currency) {
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    }
    return Sign(a.Amount() - b.Amount());
}

int CompareBytes(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

bool Value::IsNumeric() const {
    switch (kind) {
        case ValueKind::Bit:
        case ValueKind::Integer:
        case ValueKind::Single:
        case ValueKind::Double:
        case ValueKind::Currency:
        case ValueKind::Decimal:
        case ValueKind::DateTime:
            return true;
        default:
            return false;
    }
}

double Value::Amount() const {
    switch (kind) {
        case ValueKind::Bit:
            return integer ? -1.0 : 0.0;
        case ValueKind::Integer:
            return static_cast<double>(integer);
        case ValueKind::Currency:
            return static_cast<double>(integer) / 10000.0;
        case ValueKind::Single:
        case ValueKind::Double:
        case ValueKind::Decimal:
        case ValueKind::DateTime:
            return real;
        default:
            return 0.0;
    }
}

Value Value::Bit(bool on) {
    Value v;
    v.kind = ValueKind::Bit;
    v.integer = on ? 1 : 0;
    return v;
}

Value Value::Integer(int64_t i) {
    Value v;
    v.kind = ValueKind::Integer;
    v.integer = i;
    return v;
}

Value Value::Single(float f) {
    Value v;
    v.kind = ValueKind::Single;
    v.real = f;
    return v;
}

Value Value::Double(double d) {
    Value v;
    v.kind = ValueKind::Double;
    v.real = d;
    return v;
}

Value Value::Currency(int64_t tenThousandths) {
    Value v;
    v.kind = ValueKind::Currency;
    v.integer = tenThousandths;
    return v;
}

Value Value::Decimal(std::string digits) {
    Value v;
    v.kind = ValueKind::Decimal;
    v.real = std::strtod(digits.c_str(), nullptr);
    v.bytes = std::move(digits);
    return v;
}

Value Value::DateTime(double days) {
    Value v;
    v.kind = ValueKind::DateTime;
    v.real = days;
    return v;
}

Value Value::Guid(std::string sixteenBytes) {
    Value v;
    v.kind = ValueKind::Guid;
    v.bytes = std::move(sixteenBytes);
    return v;
}

Value Value::Text(Utf16 t) {
    Value v;
    v.kind = ValueKind::Text;
    v.text = std::move(t);
    return v;
}

Value Value::Binary(std::string b) {
    Value v;
    v.kind = ValueKind::Binary;
    v.bytes = std::move(b);
    return v;
}

std::optional<int> CompareForCondition(const Value& a, const Value& b) {
    if (a.IsNull() || b.IsNull()) return std::nullopt;
    if (a.IsNumeric() && b.IsNumeric()) return CompareAmounts(a, b);
    if (a.kind == ValueKind::Text && b.kind == ValueKind::Text) {
        return CompareNoCase(a.text, b.text);
    }
    const bool bytesA = a.kind == ValueKind::Binary || a.kind == ValueKind::Guid;
    const bool bytesB = b.kind == ValueKind::Binary || b.kind == ValueKind::Guid;
    if (bytesA && bytesB) return CompareBytes(a.bytes, b.bytes);
    throw DriverError("22018", "Data type mismatch in criteria expression.", -3030);
}

int CompareForOrder(const Value& a, const Value& b) {
    if (a.IsNull() || b.IsNull()) {
        if (a.IsNull() && b.IsNull()) return 0;
        return a.IsNull() ? -1 : 1;
    }
    if (a.IsNumeric() && b.IsNumeric()) return CompareAmounts(a, b);
    if (a.kind == ValueKind::Text && b.kind == ValueKind::Text) {
        return CompareNoCase(a.text, b.text);
    }
    if (a.kind == b.kind) return CompareBytes(a.bytes, b.bytes);
    return 0;
}

}  // namespace jetodbc
