// The result sets of the catalog functions: SQLTables (tables filtered by a
// name pattern and a list of table types, plus the special calls that list
// catalogs, schemas or table types), SQLColumns and SQLGetTypeInfo, with the
// columns and orderings ODBC defines for them. Arguments that the client
// passed as null pointers arrive as no value, which is not the same as an
// empty text.
#pragma once

#include <sql.h>

#include <optional>
#include <string>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/result_set.h"

namespace jetodbc {

using OptionalText = std::optional<std::string>;

// SQLTables. Names match as search patterns unless identifiers is set
// (SQL_ATTR_METADATA_ID), when they match exactly, ignoring letter case.
// tableTypes is a comma-separated list of types, each optionally in single
// quotes; none or an empty text means every type.
ResultSet TablesResult(const Database& db, const OptionalText& catalog, const OptionalText& schema,
                       const OptionalText& table, const OptionalText& tableTypes, bool identifiers);

// SQLColumns for the tables and columns that match. A matching table whose
// definition cannot be read is left out and its error added to unreadable,
// so that one damaged table does not hide the others; when every matching
// table is unreadable, throws the first one's DriverError instead (the
// client asked only about tables that cannot be read).
ResultSet ColumnsResult(Database& db, const OptionalText& catalog, const OptionalText& schema,
                        const OptionalText& table, const OptionalText& column, bool identifiers,
                        std::vector<DriverError>* unreadable);

// SQLGetTypeInfo for dataType (SQL_ALL_TYPES for every type). odbcVersion
// decides the numbers of the date and time types. Throws DriverError HY004
// for a data type that is not an SQL type.
ResultSet TypeInfoResult(SQLSMALLINT dataType, int odbcVersion);

}  // namespace jetodbc
