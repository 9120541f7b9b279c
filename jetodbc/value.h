// One field value as the driver holds it after reading it from the file, and
// the two orders defined on values: the one a WHERE comparison uses (where
// NULL compares with nothing) and the one ORDER BY uses (NULL before every
// value). Text compares without regard to letter case, as Jet's General sort
// order does; numbers, currency and dates compare by amount.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jetodbc/text_codec.h"

namespace jetodbc {

enum class ValueKind : uint8_t {
    Null,
    Bit,       // integer: 0 or 1
    Integer,   // integer
    Single,    // real, read from a 4-byte float
    Double,    // real
    Currency,  // integer: the amount in ten-thousandths
    Decimal,   // bytes: exact decimal digits ("-12.50"); real: the same, approximately
    DateTime,  // real: the Jet day number
    Guid,      // bytes: the 16 stored bytes
    Text,      // text
    Binary,    // bytes
};

struct Value {
    ValueKind kind = ValueKind::Null;
    int64_t integer = 0;
    double real = 0.0;
    Utf16 text;
    std::string bytes;

    bool IsNull() const { return kind == ValueKind::Null; }
    // True for the kinds that compare by amount (all but Null, Guid, Text and Binary).
    bool IsNumeric() const;
    // The amount as a double (Bit counts as Jet's -1 for true); 0 for others.
    double Amount() const;

    // A value of each kind, its fields set as the table above says.
    static Value Null() { return Value(); }
    static Value Bit(bool on);
    static Value Integer(int64_t v);
    static Value Single(float v);
    static Value Double(double v);
    static Value Currency(int64_t tenThousandths);
    static Value Decimal(std::string digits);
    static Value DateTime(double days);
    static Value Guid(std::string sixteenBytes);
    static Value Text(Utf16 v);
    static Value Binary(std::string v);
};

// Compares two values for a WHERE condition. Returns no value when either is
// NULL (the comparison is unknown). Throws DriverError 22018 when the kinds
// cannot be compared (text with a number, for instance).
std::optional<int> CompareForCondition(const Value& a, const Value& b);

// Compares two values for ORDER BY: NULL before every value, values of one
// column by amount or text as above. Values that cannot be compared count as
// equal, so that the sort keeps their stored order.
int CompareForOrder(const Value& a, const Value& b);

}  // namespace jetodbc
