// The attributes of a statement that SQLSetStmtAttr sets and SQLGetStmtAttr
// reads. The database is read-only and its result sets are read whole, so
// the driver offers read-only forward-only, static and keyset-driven
// cursors: a request for a dynamic cursor gets a keyset-driven one and a
// request for any updatable concurrency gets read-only, each with 01S02
// ("option value changed"), as ODBC asks of a driver that substitutes.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace jetodbc {

struct StatementAttributes {
    SQLULEN concurrency = SQL_CONCUR_READ_ONLY;
    SQLULEN cursorType = SQL_CURSOR_FORWARD_ONLY;
    SQLULEN sensitivity = SQL_UNSPECIFIED;
    SQLULEN rowArraySize = 1;
    SQLULEN rowBindType = SQL_BIND_BY_COLUMN;
    SQLULEN* bindOffset = nullptr;
    SQLUSMALLINT* rowStatus = nullptr;
    SQLULEN* rowsFetched = nullptr;
    SQLULEN maxRows = 0;
    SQLULEN maxLength = 0;
    SQLULEN queryTimeout = 0;
    SQLULEN keysetSize = 0;
    SQLULEN noScan = SQL_NOSCAN_OFF;
    SQLULEN retrieveData = SQL_RD_ON;
    SQLULEN simulateCursor = SQL_SC_UNIQUE;
    SQLULEN metadataId = SQL_FALSE;
    SQLULEN paramsetSize = 1;
    SQLULEN paramBindType = SQL_PARAM_BIND_BY_COLUMN;
    SQLULEN* paramBindOffset = nullptr;
    SQLUSMALLINT* paramOperation = nullptr;
    SQLUSMALLINT* paramStatus = nullptr;
    SQLULEN* paramsProcessed = nullptr;
};

// True for the attributes that shape the cursor (which cannot change while a
// cursor is open).
bool IsCursorAttribute(SQLINTEGER attribute);

// True for the attributes this file knows (so that SQLSetConnectAttr can
// pass statement attributes on as defaults for new statements).
bool IsStatementAttribute(SQLINTEGER attribute);

// Applies SQLSetStmtAttr(attribute, value) to attributes. Returns
// SQL_SUCCESS, or SQL_SUCCESS_WITH_INFO with "01S02" in *warning when a
// supported value was stored instead. Throws DriverError: HY024 for a value
// that is not valid, HYC00 for an optional feature the driver lacks (bookmarks,
// asynchronous execution), HY092 for an unknown or read-only attribute.
SQLRETURN SetStatementAttribute(StatementAttributes& attributes, SQLINTEGER attribute,
                                SQLPOINTER value, std::string* warning);

// Answers SQLGetStmtAttr(attribute) from attributes, writing a SQLULEN or a
// pointer to value. Throws DriverError HY092 for an attribute not known here.
void GetStatementAttribute(const StatementAttributes& attributes, SQLINTEGER attribute,
                           SQLPOINTER value, SQLINTEGER* length);

}  // namespace jetodbc
