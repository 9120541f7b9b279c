// How a column's data type appears to ODBC clients: the SQL type and the
// sizes that SQLDescribeCol, SQLColAttribute and SQLColumns report, named
// and sized as Microsoft's Access driver reports them (Yes/No SQL_BIT, Byte
// SQL_TINYINT, Integer SQL_SMALLINT, Long SQL_INTEGER, Single SQL_REAL,
// Double SQL_DOUBLE, Currency SQL_NUMERIC(19,4), Date/Time
// SQL_TYPE_TIMESTAMP, Text(n) SQL_VARCHAR(n), Memo SQL_LONGVARCHAR, OLE
// SQL_LONGVARBINARY).
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>

#include "jetodbc/jet_row_format.h"

namespace jetodbc {

struct SqlTypeInfo {
    SQLSMALLINT type = SQL_VARCHAR;  // ODBC 3 concise type
    SQLULEN columnSize = 0;
    SQLSMALLINT decimalDigits = 0;
    SQLLEN displaySize = 0;
    SQLLEN octetLength = 0;  // bytes a client buffer needs (SQL_C_CHAR for text)
    const char* typeName = "VARCHAR";
    bool isUnsigned = false;
    SQLSMALLINT radix = 0;  // 10 for exact and approximate numbers, else 0
    bool caseSensitive = false;
    bool fixedPrecScale = false;  // true for currency
    SQLSMALLINT searchable = SQL_PRED_SEARCHABLE;
    const char* literalPrefix = "";
    const char* literalSuffix = "";
};

// The type of a table column with the given layout (size in stored bytes).
// jet3 tells whether text sizes count bytes (Jet 3) or UCS-2 units (Jet 4).
// autoNumber marks a Long column that counts itself ("COUNTER").
SqlTypeInfo DescribeColumnType(const ColumnLayout& layout, bool jet3, bool autoNumber);

// Types of the columns of catalog result sets.
SqlTypeInfo VarcharType(SQLULEN length);
SqlTypeInfo SmallintType();
SqlTypeInfo IntegerType();

// The ODBC 2 form of a concise type for clients that asked for ODBC 2
// (the date and time types have other numbers there); others unchanged.
SQLSMALLINT TypeForVersion(SQLSMALLINT type, int odbcVersion);

}  // namespace jetodbc
