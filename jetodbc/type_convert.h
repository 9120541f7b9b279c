// Putting a value into a client's buffer in the C type the client asks for,
// following ODBC's conversion rules: numbers to numbers with 22003 when they
// do not fit and 01S07 when a fraction is dropped; numbers and dates to text
// with 22003 when the whole part does not fit; text and binary data cut to
// the buffer with 01004 and the whole length in the indicator, and readable
// in pieces through SQLGetData; NULL as SQL_NULL_DATA (22002 without an
// indicator); 07006 for conversions ODBC does not define. Text for SQL_C_CHAR
// is Windows-1252; for SQL_C_WCHAR UTF-16.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <string>

#include "jetodbc/sql_type_info.h"
#include "jetodbc/value.h"

namespace jetodbc {

// Where SQLGetData stands in one column's value between calls.
struct PieceState {
    size_t offset = 0;  // bytes of the value's client form already delivered
    bool done = false;  // the whole value has been delivered
};

// The C type that SQL_C_DEFAULT stands for with a column of type type.
SQLSMALLINT DefaultCType(const SqlTypeInfo& type);

// True when cType is a C type the driver knows (a conversion may still be
// undefined for a given column).
bool IsKnownCType(SQLSMALLINT cType);

// True for the C types whose buffers have a length (text and binary).
bool IsVariableCType(SQLSMALLINT cType);

// The size of a buffer of a fixed-size C type (0 for text and binary,
// whose buffers carry their own length).
size_t CTypeSize(SQLSMALLINT cType);

// The client's buffer for one value, with what goes along with it.
struct ClientBuffer {
    void* target = nullptr;          // where the value goes (may be null for text)
    SQLLEN length = 0;               // its size in bytes; read only for variable C types
    SQLLEN* indicator = nullptr;     // the length of the data or SQL_NULL_DATA, when given
    PieceState* piece = nullptr;     // the column's SQLGetData state; null for a bound column
    SQLULEN maxLength = 0;           // > 0: text and binary cut to that many bytes, no warning
    std::string* warning = nullptr;  // receives a warning's SQLSTATE; must be given
};

// Puts value (of a column typed type) into buffer as cType. A bound column
// (no piece) gets the value from its start. Returns SQL_SUCCESS;
// SQL_SUCCESS_WITH_INFO with the warning's SQLSTATE in *buffer.warning; or
// SQL_NO_DATA when the piece state says the value was delivered already.
// Throws DriverError for failures (22002, 22003, 22008, 22018, 07006, HYC00).
SQLRETURN ConvertValue(const Value& value, const SqlTypeInfo& type, SQLSMALLINT cType,
                       const ClientBuffer& buffer);

// The text form of a value as SQL_C_CHAR delivers it (Windows-1252): what
// ConvertValue writes for a buffer large enough. NULL gives "".
std::string ValueAsText(const Value& value);

}  // namespace jetodbc
