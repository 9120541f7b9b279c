// A parameter as the client bound it (SQLBindParameter), and the value it
// holds when the statement runs: the C type's data read from the client's
// buffer, text decoded (Windows-1252 for SQL_C_CHAR, UTF-16 for
// SQL_C_WCHAR), dates turned into Jet day numbers.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include "jetodbc/value.h"

namespace jetodbc {

struct ParameterBinding {
    SQLSMALLINT cType = SQL_C_DEFAULT;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN columnSize = 0;
    SQLSMALLINT decimalDigits = 0;
    SQLPOINTER data = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN* indicator = nullptr;
};

// The value binding holds now; offset is added to its pointers
// (SQL_ATTR_PARAM_BIND_OFFSET_PTR). NULL when the indicator says
// SQL_NULL_DATA or the data pointer is null. Throws DriverError: HYC00 for
// data at execution time or an unsupported C type, 22008 for an invalid
// date, HY090 for a negative length, HY009 for a missing buffer.
Value ParameterValue(const ParameterBinding& binding, SQLULEN offset);

}  // namespace jetodbc
