// Answers to SQLDescribeCol and SQLColAttribute for one result column, in
// the ODBC 3 field identifiers and in the ODBC 2 SQL_COLUMN_* ones that the
// driver manager may pass on for older clients.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>

#include "jetodbc/result_set.h"

namespace jetodbc {

// The type a wide client is shown for a column of type: text as the wide
// character types (SQL_WVARCHAR, SQL_WLONGVARCHAR), whose octets are two a
// character; others unchanged.
SqlTypeInfo WideClientType(const SqlTypeInfo& type);

// The whole name of column (its wideName, or its name's characters).
Utf16 WideColumnName(const ResultColumn& column);

// SQLDescribeCol for column: copies its name (cut to bufferLength with
// "01004" in *warning and SQL_SUCCESS_WITH_INFO) and stores the other
// answers where pointers are given. odbcVersion decides the number of the
// timestamp type (SQL_OV_ODBC2: SQL_TIMESTAMP). When wide, the name is
// UTF-16 (bufferLength in characters) and text types are the wide ones.
SQLRETURN DescribeColumn(const ResultColumn& column, int odbcVersion, bool wide, void* name,
                         SQLSMALLINT bufferLength, SQLSMALLINT* nameLength, SQLSMALLINT* dataType,
                         SQLULEN* columnSize, SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable,
                         std::string* warning);

// SQLColAttribute(field) for column; columnCount answers SQL_DESC_COUNT and
// catalog the catalog name. Text answers go to characterAttribute (cut with
// "01004"), numbers to numericAttribute. When wide, text is UTF-16
// (bufferLength and *stringLength in bytes) and text types are the wide
// ones. Throws DriverError HY091 for a field identifier it does not know.
SQLRETURN ColumnAttribute(const ResultColumn& column, SQLSMALLINT columnCount, int odbcVersion,
                          bool wide, const std::string& catalog, SQLUSMALLINT field,
                          SQLPOINTER characterAttribute, SQLSMALLINT bufferLength,
                          SQLSMALLINT* stringLength, SQLLEN* numericAttribute,
                          std::string* warning);

}  // namespace jetodbc
