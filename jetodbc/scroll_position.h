// Where a fetch moves a cursor's rowset, by ODBC's rules for SQLFetchScroll.
// Rows are numbered from 1; position 0 stands before the first row and
// rowCount + 1 after the last. A fetch returns data when the new rowset
// starts at a row (1..rowCount) and SQL_NO_DATA otherwise.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>

namespace jetodbc {

// The new rowset start for a fetch in orientation (SQL_FETCH_NEXT, PRIOR,
// FIRST, LAST, ABSOLUTE or RELATIVE) with offset, from current (the current
// rowset start, 0 or rowCount + 1 at either end) with rowsetSize rows per
// rowset. *clamped is set when a start before row 1 was moved to row 1
// (ODBC's 01S06). orientation must be one of the six.
int64_t ScrollTarget(int64_t current, int64_t rowCount, int64_t rowsetSize, SQLSMALLINT orientation,
                     int64_t offset, bool* clamped);

}  // namespace jetodbc
