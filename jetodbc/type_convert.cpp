#include "jetodbc/type_convert.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "jetodbc/date_time.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

DriverError Restricted() {
    return DriverError("07006", "Restricted data type attribute violation.", 0);
}
DriverError OutOfRange() { return DriverError("22003", "Numeric value out of range.", 0); }
DriverError NotANumber() {
    return DriverError("22018", "Invalid character value for cast specification.", 0);
}
DriverError BadDate() { return DriverError("22008", "Datetime field overflow.", 0); }

// A number ready for conversion: exact when whole, else as a double.
struct Number {
    bool whole = false;
    int64_t integer = 0;
    double real = 0.0;
    double AsDouble() const { return whole ? static_cast<double>(integer) : real; }
};

Number NumberOf(const Value& v) {
    Number n;
    switch (v.kind) {
        case ValueKind::Bit:
        case ValueKind::Integer:
            n.whole = true;
            n.integer = v.integer;
            break;
        case ValueKind::Currency:
            if (v.integer % 10000 == 0) {
                n.whole = true;
                n.integer = v.integer / 10000;
            } else {
                n.real = static_cast<double>(v.integer) / 10000.0;
            }
            break;
        default:
            n.real = v.real;
            break;
    }
    if (!n.whole && std::isfinite(n.real) && std::trunc(n.real) == n.real &&
        std::fabs(n.real) < 9.2e18) {
        n.whole = true;
        n.integer = static_cast<int64_t>(n.real);
    }
    return n;
}

// Parses client-visible text as a number (blanks around it allowed).
Number ParseNumber(const Utf16& text) {
    const std::string s = EncodeCp1252(text);
    const char* begin = s.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (*begin == '\0') throw NotANumber();
    char* end = nullptr;
    errno = 0;
    Number n;
    const long long whole = std::strtoll(begin, &end, 10);
    const char* rest = end;
    while (*rest == ' ' || *rest == '\t') ++rest;
    if (end != begin && *rest == '\0' && errno == 0) {
        n.whole = true;
        n.integer = whole;
        return n;
    }
    errno = 0;
    n.real = std::strtod(begin, &end);
    rest = end;
    while (*rest == ' ' || *rest == '\t') ++rest;
    if (end == begin || *rest != '\0') throw NotANumber();
    if (errno == ERANGE || !std::isfinite(n.real)) throw OutOfRange();
    return NumberOf(Value::Double(n.real));
}

template <typename T>
void Put(void* target, T value) {
    std::memcpy(target, &value, sizeof value);
}

// Stores a number in an integer C type of the given range.
template <typename T>
SQLRETURN PutInteger(const Number& n, const ClientBuffer& out) {
    constexpr double kLow = static_cast<double>(std::numeric_limits<T>::min());
    constexpr double kHigh = static_cast<double>(std::numeric_limits<T>::max());
    T value;
    bool fraction = false;
    if (n.whole) {
        if (n.integer < 0 && std::numeric_limits<T>::min() == 0) throw OutOfRange();
        if (static_cast<double>(n.integer) < kLow || static_cast<double>(n.integer) > kHigh) {
            throw OutOfRange();
        }
        value = static_cast<T>(n.integer);
    } else {
        const double t = std::trunc(n.real);
        if (!std::isfinite(t) || t < kLow || t > kHigh) throw OutOfRange();
        value = static_cast<T>(t);
        fraction = true;
    }
    Put(out.target, value);
    if (out.indicator) *out.indicator = sizeof(T);
    if (fraction) {
        *out.warning = "01S07";
        return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
}

SQLRETURN PutNumber(const Number& n, SQLSMALLINT cType, const ClientBuffer& out) {
    switch (cType) {
        case SQL_C_BIT: {
            const double d = n.AsDouble();
            if (d < 0.0 || d >= 2.0) throw OutOfRange();
            Put<unsigned char>(out.target, d >= 1.0 ? 1 : 0);
            if (out.indicator) *out.indicator = 1;
            if (d != 0.0 && d != 1.0) {
                *out.warning = "01S07";
                return SQL_SUCCESS_WITH_INFO;
            }
            return SQL_SUCCESS;
        }
        case SQL_C_TINYINT:
        case SQL_C_STINYINT:
            return PutInteger<signed char>(n, out);
        case SQL_C_UTINYINT:
            return PutInteger<unsigned char>(n, out);
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
            return PutInteger<SQLSMALLINT>(n, out);
        case SQL_C_USHORT:
            return PutInteger<SQLUSMALLINT>(n, out);
        case SQL_C_LONG:
        case SQL_C_SLONG:
            return PutInteger<SQLINTEGER>(n, out);
        case SQL_C_ULONG:
            return PutInteger<SQLUINTEGER>(n, out);
        case SQL_C_SBIGINT:
            return PutInteger<int64_t>(n, out);
        case SQL_C_UBIGINT:
            return PutInteger<uint64_t>(n, out);
        case SQL_C_FLOAT: {
            const double d = n.AsDouble();
            if (std::fabs(d) > FLT_MAX) throw OutOfRange();
            Put<float>(out.target, static_cast<float>(d));
            if (out.indicator) *out.indicator = sizeof(float);
            return SQL_SUCCESS;
        }
        case SQL_C_DOUBLE:
            Put<double>(out.target, n.AsDouble());
            if (out.indicator) *out.indicator = sizeof(double);
            return SQL_SUCCESS;
        default:
            throw Restricted();
    }
}

std::string FormatReal(double d, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, d);
    std::string s = buffer;
    for (char& c : s) {
        if (c == 'e') c = 'E';
    }
    return s;
}

std::string FormatCurrency(int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const uint64_t magnitude = negative ? uint64_t{0} - static_cast<uint64_t>(tenThousandths)
                                        : static_cast<uint64_t>(tenThousandths);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 10000),
                  static_cast<unsigned long long>(magnitude % 10000));
    return buffer;
}

std::string FormatTimestamp(const CivilTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}

std::string FormatGuid(const std::string& b) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.data());
    char buffer[40];
    std::snprintf(buffer, sizeof buffer,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", p[3],
                  p[2], p[1], p[0], p[5], p[4], p[7], p[6], p[8], p[9], p[10], p[11], p[12], p[13],
                  p[14], p[15]);
    return buffer;
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

std::string Utf16Bytes(const Utf16& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// Delivers full (a value's whole client form) or its next piece. unit is
// the character width (2 for SQL_C_WCHAR); terminated adds a NUL character.
SQLRETURN Deliver(std::string full, size_t unit, bool terminated, const ClientBuffer& out) {
    const SQLULEN maxLength = out.maxLength;
    if (maxLength > 0 && full.size() > maxLength) full.resize(maxLength - maxLength % unit);
    PieceState* const piece = out.piece;
    const SQLLEN bufferLength = out.length;
    const size_t offset = piece ? piece->offset : 0;
    const size_t remaining = full.size() > offset ? full.size() - offset : 0;
    if (out.indicator) *out.indicator = static_cast<SQLLEN>(remaining);
    SQLLEN room = bufferLength - (terminated ? static_cast<SQLLEN>(unit) : 0);
    if (room < 0) room = 0;
    room -= room % static_cast<SQLLEN>(unit);
    const size_t n = remaining < static_cast<size_t>(room) ? remaining : static_cast<size_t>(room);
    if (out.target) {
        if (n) std::memcpy(out.target, full.data() + offset, n);
        if (terminated && bufferLength >= static_cast<SQLLEN>(unit)) {
            std::memset(static_cast<char*>(out.target) + n, 0, unit);
        }
    }
    if (n < remaining) {
        if (piece) piece->offset += n;
        *out.warning = "01004";
        return SQL_SUCCESS_WITH_INFO;
    }
    if (piece) piece->done = true;
    return SQL_SUCCESS;
}

// Numbers and dates as text: no pieces; a cut is allowed only in a fraction.
SQLRETURN DeliverNumberText(const std::string& text, size_t unit, const ClientBuffer& out) {
    const std::string full = unit == 2 ? Utf16Bytes(DecodeCp1252(text)) : text;
    if (out.indicator) *out.indicator = static_cast<SQLLEN>(full.size());
    // The indicator is set already; the text is never cut to the maximum length.
    ClientBuffer plain = out;
    plain.indicator = nullptr;
    plain.maxLength = 0;
    const SQLLEN room = out.length - static_cast<SQLLEN>(unit);
    if (room >= static_cast<SQLLEN>(full.size())) return Deliver(full, unit, true, plain);
    const size_t point = text.find('.');
    const size_t whole =
        point == std::string::npos || text.find('E') != std::string::npos ? text.size() : point;
    if (room < static_cast<SQLLEN>(whole * unit)) throw OutOfRange();
    plain.piece = nullptr;
    SQLRETURN rc = Deliver(full, unit, true, plain);
    if (out.piece) out.piece->done = true;
    return rc;
}

// Parses "yyyy-mm-dd", "yyyy-mm-dd hh:mm:ss[.f]" or "hh:mm:ss" (a time
// alone falls on 30 December 1899, as Jet keeps it). *fraction tells whether
// fractional seconds were given (they are dropped).
bool ParseDateTime(const Utf16& wide, CivilTime* t, bool* hasDate, bool* fraction) {
    const std::string s = EncodeCp1252(wide);
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0, used = 0;
    double frac = 0;
    *fraction = false;
    const char* p = s.c_str();
    while (*p == ' ') ++p;
    if (std::sscanf(p, "%d-%d-%d%n", &y, &mo, &d, &used) == 3) {
        *hasDate = true;
        p += used;
        if (std::sscanf(p, " %d:%d:%d%n", &h, &mi, &sec, &used) == 3) {
            p += used;
            if (*p == '.') {
                char* end = nullptr;
                frac = std::strtod(p, &end);
                p = end;
                *fraction = frac != 0.0;
            }
        }
    } else if (std::sscanf(p, "%d:%d:%d%n", &h, &mi, &sec, &used) == 3) {
        *hasDate = false;
        y = 1899;
        mo = 12;
        d = 30;
        p += used;
    } else {
        return false;
    }
    while (*p == ' ') ++p;
    if (*p != '\0' || !IsValidDate(y, mo, d) || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 ||
        sec > 59) {
        return false;
    }
    *t = CivilTime{y, mo, d, h, mi, sec};
    return true;
}

SQLRETURN PutDateTime(const CivilTime& t, bool fraction, SQLSMALLINT cType,
                      const ClientBuffer& out) {
    switch (cType) {
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP: {
            SQL_TIMESTAMP_STRUCT ts{};
            ts.year = static_cast<SQLSMALLINT>(t.year);
            ts.month = static_cast<SQLUSMALLINT>(t.month);
            ts.day = static_cast<SQLUSMALLINT>(t.day);
            ts.hour = static_cast<SQLUSMALLINT>(t.hour);
            ts.minute = static_cast<SQLUSMALLINT>(t.minute);
            ts.second = static_cast<SQLUSMALLINT>(t.second);
            Put(out.target, ts);
            if (out.indicator) *out.indicator = sizeof ts;
            return SQL_SUCCESS;
        }
        case SQL_C_TYPE_DATE:
        case SQL_C_DATE: {
            SQL_DATE_STRUCT ds{};
            ds.year = static_cast<SQLSMALLINT>(t.year);
            ds.month = static_cast<SQLUSMALLINT>(t.month);
            ds.day = static_cast<SQLUSMALLINT>(t.day);
            Put(out.target, ds);
            if (out.indicator) *out.indicator = sizeof ds;
            if (t.hour || t.minute || t.second || fraction) {
                *out.warning = "01S07";
                return SQL_SUCCESS_WITH_INFO;
            }
            return SQL_SUCCESS;
        }
        case SQL_C_TYPE_TIME:
        case SQL_C_TIME: {
            SQL_TIME_STRUCT tm{};
            tm.hour = static_cast<SQLUSMALLINT>(t.hour);
            tm.minute = static_cast<SQLUSMALLINT>(t.minute);
            tm.second = static_cast<SQLUSMALLINT>(t.second);
            Put(out.target, tm);
            if (out.indicator) *out.indicator = sizeof tm;
            if (fraction) {
                *out.warning = "01S07";
                return SQL_SUCCESS_WITH_INFO;
            }
            return SQL_SUCCESS;
        }
        default:
            throw Restricted();
    }
}

// Marks a value of one piece delivered (after its conversion succeeded).
SQLRETURN Delivered(SQLRETURN rc, PieceState* piece) {
    if (piece) piece->done = true;
    return rc;
}

bool IsDateTimeCType(SQLSMALLINT c) {
    return c == SQL_C_TYPE_TIMESTAMP || c == SQL_C_TIMESTAMP || c == SQL_C_TYPE_DATE ||
           c == SQL_C_DATE || c == SQL_C_TYPE_TIME || c == SQL_C_TIME;
}

}  // namespace

SQLSMALLINT DefaultCType(const SqlTypeInfo& type) {
    switch (type.type) {
        case SQL_BIT:
            return SQL_C_BIT;
        case SQL_TINYINT:
            return type.isUnsigned ? SQL_C_UTINYINT : SQL_C_STINYINT;
        case SQL_SMALLINT:
            return SQL_C_SSHORT;
        case SQL_INTEGER:
            return SQL_C_SLONG;
        case SQL_REAL:
            return SQL_C_FLOAT;
        case SQL_DOUBLE:
            return SQL_C_DOUBLE;
        case SQL_TYPE_TIMESTAMP:
            return SQL_C_TYPE_TIMESTAMP;
        case SQL_BINARY:
        case SQL_LONGVARBINARY:
            return SQL_C_BINARY;
        case SQL_GUID:
            return SQL_C_GUID;
        default:
            return SQL_C_CHAR;
    }
}

bool IsKnownCType(SQLSMALLINT c) {
    switch (c) {
        case SQL_C_CHAR:
        case SQL_C_WCHAR:
        case SQL_C_BINARY:
        case SQL_C_BIT:
        case SQL_C_TINYINT:
        case SQL_C_STINYINT:
        case SQL_C_UTINYINT:
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
        case SQL_C_USHORT:
        case SQL_C_LONG:
        case SQL_C_SLONG:
        case SQL_C_ULONG:
        case SQL_C_SBIGINT:
        case SQL_C_UBIGINT:
        case SQL_C_FLOAT:
        case SQL_C_DOUBLE:
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP:
        case SQL_C_TYPE_DATE:
        case SQL_C_DATE:
        case SQL_C_TYPE_TIME:
        case SQL_C_TIME:
        case SQL_C_GUID:
        case SQL_C_NUMERIC:
        case SQL_C_DEFAULT:
            return true;
        default:
            return false;
    }
}

bool IsVariableCType(SQLSMALLINT c) {
    return c == SQL_C_CHAR || c == SQL_C_WCHAR || c == SQL_C_BINARY;
}

size_t CTypeSize(SQLSMALLINT c) {
    switch (c) {
        case SQL_C_BIT:
        case SQL_C_TINYINT:
        case SQL_C_STINYINT:
        case SQL_C_UTINYINT:
            return 1;
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
        case SQL_C_USHORT:
            return 2;
        case SQL_C_LONG:
        case SQL_C_SLONG:
        case SQL_C_ULONG:
        case SQL_C_FLOAT:
            return 4;
        case SQL_C_SBIGINT:
        case SQL_C_UBIGINT:
        case SQL_C_DOUBLE:
            return 8;
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP:
            return sizeof(SQL_TIMESTAMP_STRUCT);
        case SQL_C_TYPE_DATE:
        case SQL_C_DATE:
            return sizeof(SQL_DATE_STRUCT);
        case SQL_C_TYPE_TIME:
        case SQL_C_TIME:
            return sizeof(SQL_TIME_STRUCT);
        case SQL_C_GUID:
            return sizeof(SQLGUID);
        case SQL_C_NUMERIC:
            return sizeof(SQL_NUMERIC_STRUCT);
        default:
            return 0;
    }
}

std::string ValueAsText(const Value& v) {
    switch (v.kind) {
        case ValueKind::Null:
            return "";
        case ValueKind::Bit:
        case ValueKind::Integer:
            return std::to_string(v.integer);
        case ValueKind::Single:
            return FormatReal(v.real, 7);
        case ValueKind::Double:
            return FormatReal(v.real, 15);
        case ValueKind::Currency:
            return FormatCurrency(v.integer);
        case ValueKind::Decimal:
            return v.bytes;
        case ValueKind::DateTime: {
            CivilTime t;
            return JetDaysToCivil(v.real, &t) ? FormatTimestamp(t) : "";
        }
        case ValueKind::Guid:
            return v.bytes.size() == 16 ? FormatGuid(v.bytes) : Hex(v.bytes);
        case ValueKind::Text:
            return EncodeCp1252(v.text);
        case ValueKind::Binary:
            return Hex(v.bytes);
    }
    return "";
}

SQLRETURN ConvertValue(const Value& value, const SqlTypeInfo& type, SQLSMALLINT cType,
                       const ClientBuffer& out) {
    PieceState* const piece = out.piece;
    if (piece && piece->done) return SQL_NO_DATA;
    if (cType == SQL_C_DEFAULT) cType = DefaultCType(type);
    if (!IsKnownCType(cType)) {
        throw DriverError("HY003", "Program type out of range.", 0);
    }
    if (cType == SQL_C_NUMERIC) {
        throw DriverError("HYC00", "Conversion to SQL_C_NUMERIC is not supported.", 0);
    }
    if (value.IsNull()) {
        if (!out.indicator) {
            throw DriverError("22002", "Indicator variable required but not supplied.", 0);
        }
        *out.indicator = SQL_NULL_DATA;
        if (piece) piece->done = true;
        return SQL_SUCCESS;
    }
    const bool text = cType == SQL_C_CHAR || cType == SQL_C_WCHAR;
    const size_t unit = cType == SQL_C_WCHAR ? 2 : 1;
    auto asText = [&](const std::string& cp1252) {
        return unit == 2 ? Utf16Bytes(DecodeCp1252(cp1252)) : cp1252;
    };

    switch (value.kind) {
        case ValueKind::Text:
            if (text) {
                const std::string full =
                    unit == 2 ? Utf16Bytes(value.text) : EncodeCp1252(value.text);
                return Deliver(full, unit, true, out);
            }
            if (cType == SQL_C_BINARY) {
                return Deliver(EncodeCp1252(value.text), 1, false, out);
            }
            if (IsDateTimeCType(cType)) {
                CivilTime t;
                bool hasDate = false, fraction = false;
                if (!ParseDateTime(value.text, &t, &hasDate, &fraction)) throw NotANumber();
                return Delivered(PutDateTime(t, fraction, cType, out), piece);
            }
            if (cType == SQL_C_GUID) throw Restricted();
            return Delivered(PutNumber(ParseNumber(value.text), cType, out), piece);

        case ValueKind::Binary:
            if (cType == SQL_C_BINARY) {
                return Deliver(value.bytes, 1, false, out);
            }
            if (text) {
                return Deliver(asText(Hex(value.bytes)), unit, true, out);
            }
            throw Restricted();

        case ValueKind::Guid:
            if (cType == SQL_C_GUID || cType == SQL_C_BINARY) {
                // A GUID buffer is 16 bytes whatever length is given; never cut.
                ClientBuffer guid = out;
                if (cType == SQL_C_GUID) guid.length = 16;
                guid.maxLength = 0;
                return Deliver(value.bytes, 1, false, guid);
            }
            if (text) {
                return Deliver(asText(ValueAsText(value)), unit, true, out);
            }
            throw Restricted();

        case ValueKind::DateTime: {
            CivilTime t;
            if (!JetDaysToCivil(value.real, &t)) throw BadDate();
            if (text) {
                return DeliverNumberText(FormatTimestamp(t), unit, out);
            }
            if (cType == SQL_C_BINARY) {
                SQL_TIMESTAMP_STRUCT ts{};
                std::string none;
                ClientBuffer local;
                local.target = &ts;
                local.warning = &none;
                PutDateTime(t, false, SQL_C_TYPE_TIMESTAMP, local);
                if (out.length < static_cast<SQLLEN>(sizeof ts)) throw OutOfRange();
                std::memcpy(out.target, &ts, sizeof ts);
                if (out.indicator) *out.indicator = sizeof ts;
                return Delivered(SQL_SUCCESS, piece);
            }
            return Delivered(PutDateTime(t, false, cType, out), piece);
        }

        default:
            break;  // the numbers
    }

    if (text) {
        return DeliverNumberText(ValueAsText(value), unit, out);
    }
    if (cType == SQL_C_BINARY) {
        std::string bytes;
        auto raw = [&](const auto& v) {
            bytes.assign(reinterpret_cast<const char*>(&v), sizeof v);
        };
        switch (type.type) {
            case SQL_BIT:
            case SQL_TINYINT:
                raw(static_cast<unsigned char>(value.integer));
                break;
            case SQL_SMALLINT:
                raw(static_cast<int16_t>(value.integer));
                break;
            case SQL_INTEGER:
                raw(static_cast<int32_t>(value.integer));
                break;
            case SQL_REAL:
                raw(static_cast<float>(value.real));
                break;
            case SQL_DOUBLE:
                raw(value.real);
                break;
            default:
                if (value.kind == ValueKind::Currency) {
                    raw(value.integer);
                } else {
                    bytes = ValueAsText(value);
                }
        }
        if (out.length < static_cast<SQLLEN>(bytes.size())) throw OutOfRange();
        std::memcpy(out.target, bytes.data(), bytes.size());
        if (out.indicator) *out.indicator = static_cast<SQLLEN>(bytes.size());
        return Delivered(SQL_SUCCESS, piece);
    }
    if (IsDateTimeCType(cType) || cType == SQL_C_GUID) throw Restricted();
    return Delivered(PutNumber(NumberOf(value), cType, out), piece);
}

}  // namespace jetodbc
