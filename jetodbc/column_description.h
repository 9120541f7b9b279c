// Answers to SQLDescribeCol and SQLColAttribute for one result column, in
// the ODBC 3 field identifiers and in the ODBC 2 SQL_COLUMN_* ones that the
// driver manager may pass on for older clients.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>

#include "jetodbc/result_set.h"

namespace jetodbc {

// SQLDescribeCol for column: copies its name (cut to bufferLength with
// "01004" in *warning and SQL_SUCCESS_WITH_INFO) and stores the other
// answers where pointers are given. odbcVersion decides the number of the
// timestamp type (SQL_OV_ODBC2: SQL_TIMESTAMP).
SQLRETURN DescribeColumn(const ResultColumn& column, int odbcVersion, SQLCHAR* name,
                         SQLSMALLINT bufferLength, SQLSMALLINT* nameLength, SQLSMALLINT* dataType,
                         SQLULEN* columnSize, SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable,
                         std::string* warning);

// SQLColAttribute(field) for column; columnCount answers SQL_DESC_COUNT and
// catalog the catalog name. Text answers go to characterAttribute (cut with
// "01004"), numbers to numericAttribute. Throws DriverError HY091 for a
// field identifier it does not know.
SQLRETURN ColumnAttribute(const ResultColumn& column, SQLSMALLINT columnCount, int odbcVersion,
                          const std::string& catalog, SQLUSMALLINT field,
                          SQLPOINTER characterAttribute, SQLSMALLINT bufferLength,
                          SQLSMALLINT* stringLength, SQLLEN* numericAttribute,
                          std::string* warning);

}  // namespace jetodbc
