// Value: one field of a row, as the caller means it: NULL, a Yes/No, an
// integer, a floating-point number, an amount of money, a date and time, a
// decimal number, or a text. Which kinds a column accepts is the writer's business (Table rules in
// database.h); a Value only carries what was given.
#pragma once

#include <cstdint>
#include <string>

namespace jetwriter {

class Value {
  public:
    enum class Kind : uint8_t {
        kNull,
        kBoolean,
        kInteger,
        kReal,
        kCurrency,
        kDateTime,
        kDecimal,
        kText
    };

    // A NULL field.
    Value() = default;

    static Value Null() { return Value(); }
    static Value Boolean(bool value);
    // For Byte, Integer and Long Integer columns.
    static Value Integer(int64_t value);
    // For Single and Double columns.
    static Value Real(double value);
    // For Currency columns: the amount in ten-thousandths (12.34 is 123400).
    static Value Currency(int64_t tenThousandths);
    // For Date/Time columns: days since 1899-12-30, the fraction being the time
    // of day (see calendar.h for building one from a calendar date).
    static Value DateTime(double dayNumber);
    // For Numeric columns: a decimal number as written, an optional '-' or
    // '+', digits and an optional point with more digits ("-1110.554"); the
    // writer checks it against the column's precision and scale.
    static Value Decimal(std::string number);
    // For Text and Memo columns: the text in UTF-8.
    static Value Text(std::string utf8);

    Kind kind() const { return kind_; }
    bool is_null() const { return kind_ == Kind::kNull; }

    // Each accessor is meaningful only for its own kind (boolean() for
    // kBoolean ...); for another kind it returns zero or the empty text.
    bool boolean() const { return kind_ == Kind::kBoolean && integer_ != 0; }
    int64_t integer() const { return kind_ == Kind::kInteger ? integer_ : 0; }
    double real() const { return kind_ == Kind::kReal ? real_ : 0.0; }
    int64_t currency() const { return kind_ == Kind::kCurrency ? integer_ : 0; }
    double date_time() const { return kind_ == Kind::kDateTime ? real_ : 0.0; }
    // The text of kText, the number as written of kDecimal.
    const std::string& text() const { return text_; }

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }

  private:
    Kind kind_ = Kind::kNull;
    union {
        int64_t integer_ = 0;
        double real_;
    };
    std::string text_;
};

// The name of a kind ("NULL", "Yes/No value", "integer", ...), for messages.
const char* ValueKindName(Value::Kind kind);

}  // namespace jetwriter
