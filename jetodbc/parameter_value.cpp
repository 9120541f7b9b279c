#include "jetodbc/parameter_value.h"

#include <cstring>
#include <string>

#include "jetodbc/date_time.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

template <typename T>
T Read(const void* data) {
    T v;
    std::memcpy(&v, data, sizeof v);
    return v;
}

DriverError BadDate() { return DriverError("22008", "Datetime field overflow.", 0); }

Value DateValue(int year, int month, int day, int hour, int minute, int second,
                SQLUINTEGER fraction) {
    CivilTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    if (!IsValidDateTime(t)) throw BadDate();
    double days = CivilToJetDays(t);
    // The fraction counts forward from the time even before 1899, as the
    // day number's own fraction does.
    const double extra = static_cast<double>(fraction) / 1e9 / 86400.0;
    days += days < 0 ? -extra : extra;
    return Value::DateTime(days);
}

// The C type that SQL_C_DEFAULT stands for with a parameter of sqlType.
SQLSMALLINT DefaultFor(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_BIT:
            return SQL_C_BIT;
        case SQL_TINYINT:
            return SQL_C_UTINYINT;
        case SQL_SMALLINT:
            return SQL_C_SSHORT;
        case SQL_INTEGER:
            return SQL_C_SLONG;
        case SQL_BIGINT:
            return SQL_C_SBIGINT;
        case SQL_REAL:
            return SQL_C_FLOAT;
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return SQL_C_DOUBLE;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return SQL_C_TYPE_DATE;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return SQL_C_TYPE_TIME;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return SQL_C_TYPE_TIMESTAMP;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return SQL_C_BINARY;
        case SQL_GUID:
            return SQL_C_GUID;
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR:
            return SQL_C_WCHAR;
        default:
            return SQL_C_CHAR;
    }
}

}  // namespace

Value ParameterValue(const ParameterBinding& b, SQLULEN offset) {
    const SQLLEN* indicator =
        b.indicator
            ? reinterpret_cast<const SQLLEN*>(reinterpret_cast<const char*>(b.indicator) + offset)
            : nullptr;
    if (indicator && *indicator == SQL_NULL_DATA) return Value::Null();
    if (indicator &&
        (*indicator == SQL_DATA_AT_EXEC || *indicator <= SQL_LEN_DATA_AT_EXEC_OFFSET)) {
        throw DriverError("HYC00", "Parameter data at execution time is not supported.", 0);
    }
    if (!b.data) {
        if (indicator) return Value::Null();
        throw DriverError("HY009", "Invalid use of null pointer.", 0);
    }
    const char* data = static_cast<const char*>(b.data) + offset;
    // The length of variable data: the indicator's, up to the NUL for
    // SQL_NTS (or no indicator), in bytes.
    auto length = [&](size_t unit) -> size_t {
        if (indicator && *indicator >= 0) return static_cast<size_t>(*indicator);
        if (indicator && *indicator != SQL_NTS) {
            throw DriverError("HY090", "Invalid string or buffer length.", 0);
        }
        size_t n = 0;
        const size_t limit = b.bufferLength > 0 ? static_cast<size_t>(b.bufferLength) : SIZE_MAX;
        if (unit == 1) {
            while (n < limit && data[n] != '\0') ++n;
        } else {
            while (n + 1 < limit && (data[n] != '\0' || data[n + 1] != '\0')) n += 2;
        }
        return n;
    };
    const SQLSMALLINT cType = b.cType == SQL_C_DEFAULT ? DefaultFor(b.sqlType) : b.cType;
    switch (cType) {
        case SQL_C_CHAR:
            return Value::Text(DecodeCp1252(std::string_view(data, length(1))));
        case SQL_C_WCHAR: {
            const size_t n = length(2) / 2;
            Utf16 text(n, u'\0');
            std::memcpy(text.data(), data, n * 2);
            return Value::Text(std::move(text));
        }
        case SQL_C_BINARY:
            return Value::Binary(std::string(data, length(1)));
        case SQL_C_GUID:
            return Value::Guid(std::string(data, 16));
        case SQL_C_BIT:
            return Value::Bit(Read<unsigned char>(data) != 0);
        case SQL_C_TINYINT:
        case SQL_C_STINYINT:
            return Value::Integer(Read<signed char>(data));
        case SQL_C_UTINYINT:
            return Value::Integer(Read<unsigned char>(data));
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
            return Value::Integer(Read<SQLSMALLINT>(data));
        case SQL_C_USHORT:
            return Value::Integer(Read<SQLUSMALLINT>(data));
        case SQL_C_LONG:
        case SQL_C_SLONG:
            return Value::Integer(Read<SQLINTEGER>(data));
        case SQL_C_ULONG:
            return Value::Integer(Read<SQLUINTEGER>(data));
        case SQL_C_SBIGINT:
            return Value::Integer(Read<SQLBIGINT>(data));
        case SQL_C_UBIGINT: {
            const SQLUBIGINT v = Read<SQLUBIGINT>(data);
            if (v > static_cast<SQLUBIGINT>(INT64_MAX))
                return Value::Double(static_cast<double>(v));
            return Value::Integer(static_cast<int64_t>(v));
        }
        case SQL_C_FLOAT:
            return Value::Double(Read<float>(data));
        case SQL_C_DOUBLE:
            return Value::Double(Read<double>(data));
        case SQL_C_TYPE_DATE:
        case SQL_C_DATE: {
            const auto d = Read<SQL_DATE_STRUCT>(data);
            return DateValue(d.year, d.month, d.day, 0, 0, 0, 0);
        }
        case SQL_C_TYPE_TIME:
        case SQL_C_TIME: {
            const auto t = Read<SQL_TIME_STRUCT>(data);
            return DateValue(1899, 12, 30, t.hour, t.minute, t.second, 0);
        }
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP: {
            const auto t = Read<SQL_TIMESTAMP_STRUCT>(data);
            return DateValue(t.year, t.month, t.day, t.hour, t.minute, t.second, t.fraction);
        }
        default:
            throw DriverError("HYC00", "Parameters of this C type are not supported.", 0);
    }
}

}  // namespace jetodbc
