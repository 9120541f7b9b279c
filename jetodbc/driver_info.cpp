#include "jetodbc/driver_info.h"

#include <algorithm>

#include "jetodbc/database.h"
#include "jetodbc/driver_error.h"

namespace jetodbc {

const std::vector<SQLUSMALLINT>& SupportedFunctions() {
    // Never destroyed, as the driver may be called from a client's exit handler.
    static const std::vector<SQLUSMALLINT>& kFunctions = *new std::vector<SQLUSMALLINT>{
        SQL_API_SQLALLOCHANDLE,    SQL_API_SQLFREEHANDLE,     SQL_API_SQLSETENVATTR,
        SQL_API_SQLGETENVATTR,     SQL_API_SQLCONNECT,        SQL_API_SQLDRIVERCONNECT,
        SQL_API_SQLDISCONNECT,     SQL_API_SQLGETINFO,        SQL_API_SQLGETFUNCTIONS,
        SQL_API_SQLSETCONNECTATTR, SQL_API_SQLGETCONNECTATTR, SQL_API_SQLENDTRAN,
        SQL_API_SQLNATIVESQL,      SQL_API_SQLPREPARE,        SQL_API_SQLEXECUTE,
        SQL_API_SQLEXECDIRECT,     SQL_API_SQLNUMPARAMS,      SQL_API_SQLNUMRESULTCOLS,
        SQL_API_SQLDESCRIBECOL,    SQL_API_SQLCOLATTRIBUTE,   SQL_API_SQLBINDCOL,
        SQL_API_SQLFETCH,          SQL_API_SQLFETCHSCROLL,    SQL_API_SQLGETDATA,
        SQL_API_SQLSETPOS,         SQL_API_SQLBULKOPERATIONS, SQL_API_SQLROWCOUNT,
        SQL_API_SQLMORERESULTS,    SQL_API_SQLFREESTMT,       SQL_API_SQLCLOSECURSOR,
        SQL_API_SQLCANCEL,         SQL_API_SQLSETSTMTATTR,    SQL_API_SQLGETSTMTATTR,
        SQL_API_SQLTABLES,         SQL_API_SQLCOLUMNS,        SQL_API_SQLGETTYPEINFO,
        SQL_API_SQLGETDIAGREC,     SQL_API_SQLGETDIAGFIELD,   SQL_API_SQLGETCURSORNAME,
        SQL_API_SQLSETCURSORNAME,  SQL_API_SQLBINDPARAMETER,  SQL_API_SQLDESCRIBEPARAM,
        SQL_API_SQLSTATISTICS,     SQL_API_SQLPRIMARYKEYS,    SQL_API_SQLSPECIALCOLUMNS};
    return kFunctions;
}

void GetFunctions(SQLUSMALLINT id, SQLUSMALLINT* supported) {
    const std::vector<SQLUSMALLINT>& all = SupportedFunctions();
    if (id == SQL_API_ODBC3_ALL_FUNCTIONS) {
        std::fill(supported, supported + SQL_API_ODBC3_ALL_FUNCTIONS_SIZE, 0);
        for (SQLUSMALLINT f : all) supported[f >> 4] |= static_cast<SQLUSMALLINT>(1u << (f & 0xf));
    } else if (id == SQL_API_ALL_FUNCTIONS) {
        std::fill(supported, supported + 100, SQL_FALSE);
        for (SQLUSMALLINT f : all) {
            if (f < 100) supported[f] = SQL_TRUE;
        }
    } else {
        *supported = std::find(all.begin(), all.end(), id) != all.end() ? SQL_TRUE : SQL_FALSE;
    }
}

namespace {

InfoValue Text(std::string s) {
    InfoValue v;
    v.text = std::move(s);
    return v;
}

InfoValue Small(SQLUINTEGER n) {
    InfoValue v;
    v.kind = InfoValue::Kind::Small;
    v.number = n;
    return v;
}

InfoValue Integer(SQLUINTEGER n) {
    InfoValue v;
    v.kind = InfoValue::Kind::Integer;
    v.number = n;
    return v;
}

const Database& Connected(const Database* db) {
    if (!db) throw DriverError("08003", "Connection not open.", 0);
    return *db;
}

constexpr SQLUINTEGER kScrollingCursor =
    SQL_CA1_NEXT | SQL_CA1_ABSOLUTE | SQL_CA1_RELATIVE | SQL_CA1_POS_POSITION | SQL_CA1_POS_REFRESH;
constexpr SQLUINTEGER kReadOnlyCursor =
    SQL_CA2_READ_ONLY_CONCURRENCY | SQL_CA2_MAX_ROWS_SELECT | SQL_CA2_CRC_EXACT;

}  // namespace

InfoValue GetInfo(SQLUSMALLINT type, const Database* db, const std::string& dataSource) {
    switch (type) {
        // About the driver and the database.
        case SQL_DRIVER_NAME:
            return Text("libjetodbc.so");
        case SQL_DRIVER_VER:
            return Text("01.00.0000");
        case SQL_DRIVER_ODBC_VER:
            return Text("03.51");
        case SQL_ODBC_VER:
            return Text("03.52.0000");
        case SQL_DBMS_NAME:
            return Text("ACCESS");
        case SQL_DBMS_VER:
            return Text(Connected(db).jet3() ? "03.50.0000" : "04.00.0000");
        case SQL_DATA_SOURCE_NAME:
            return Text(dataSource);
        case SQL_DATABASE_NAME:
            return Text(Connected(db).catalog_name());
        case SQL_SERVER_NAME:
            return Text("ACCESS");
        case SQL_USER_NAME:
            return Text("admin");
        case SQL_DATA_SOURCE_READ_ONLY:
            return Text("Y");
        case SQL_ACCESSIBLE_TABLES:
            return Text("Y");
        case SQL_ACCESSIBLE_PROCEDURES:
            return Text("N");
        case SQL_XOPEN_CLI_YEAR:
            return Text("1995");

        // SQL the driver understands.
        case SQL_IDENTIFIER_QUOTE_CHAR:
            return Text("`");
        case SQL_SEARCH_PATTERN_ESCAPE:
            return Text("\\");
        case SQL_CATALOG_NAME_SEPARATOR:
            return Text(".");
        case SQL_CATALOG_TERM:
            return Text("DATABASE");
        case SQL_CATALOG_NAME:
            return Text("N");
        case SQL_SCHEMA_TERM:
            return Text("");
        case SQL_TABLE_TERM:
            return Text("TABLE");
        case SQL_PROCEDURE_TERM:
            return Text("QUERY");
        case SQL_SPECIAL_CHARACTERS:
            return Text("");
        case SQL_KEYWORDS:
            return Text("");
        case SQL_COLLATION_SEQ:
            return Text("");
        case SQL_COLUMN_ALIAS:
        case SQL_EXPRESSIONS_IN_ORDERBY:
        case SQL_OUTER_JOINS:
        case SQL_PROCEDURES:
        case SQL_MULT_RESULT_SETS:
        case SQL_NEED_LONG_DATA_LEN:
        case SQL_ROW_UPDATES:
        case SQL_INTEGRITY:
        case SQL_LIKE_ESCAPE_CLAUSE:
        case SQL_MAX_ROW_SIZE_INCLUDES_LONG:
        case SQL_DESCRIBE_PARAMETER:
            return Text("N");
        case SQL_ORDER_BY_COLUMNS_IN_SELECT:
            return Text("N");
        case SQL_MULTIPLE_ACTIVE_TXN:
            return Text("Y");

        case SQL_MAX_DRIVER_CONNECTIONS:
        case SQL_MAX_CONCURRENT_ACTIVITIES:
        case SQL_MAX_SCHEMA_NAME_LEN:
        case SQL_MAX_USER_NAME_LEN:
        case SQL_MAX_PROCEDURE_NAME_LEN:
            return Small(0);
        case SQL_MAX_COLUMN_NAME_LEN:
        case SQL_MAX_TABLE_NAME_LEN:
        case SQL_MAX_CURSOR_NAME_LEN:
        case SQL_MAX_IDENTIFIER_LEN:
            return Small(64);
        case SQL_MAX_CATALOG_NAME_LEN:
            return Small(260);
        case SQL_MAX_COLUMNS_IN_SELECT:
        case SQL_MAX_COLUMNS_IN_TABLE:
            return Small(255);
        case SQL_MAX_COLUMNS_IN_ORDER_BY:
        case SQL_MAX_COLUMNS_IN_INDEX:
            return Small(10);
        case SQL_MAX_COLUMNS_IN_GROUP_BY:
            return Small(0);
        case SQL_MAX_TABLES_IN_SELECT:
            return Small(1);
        case SQL_CURSOR_COMMIT_BEHAVIOR:
        case SQL_CURSOR_ROLLBACK_BEHAVIOR:
            return Small(SQL_CB_PRESERVE);
        case SQL_TXN_CAPABLE:
            return Small(SQL_TC_NONE);
        case SQL_CONCAT_NULL_BEHAVIOR:
            return Small(SQL_CB_NULL);
        case SQL_CORRELATION_NAME:
            return Small(SQL_CN_NONE);
        case SQL_FILE_USAGE:
            return Small(SQL_FILE_CATALOG);
        case SQL_GROUP_BY:
            return Small(SQL_GB_NOT_SUPPORTED);
        case SQL_IDENTIFIER_CASE:
        case SQL_QUOTED_IDENTIFIER_CASE:
            return Small(SQL_IC_MIXED);
        case SQL_NON_NULLABLE_COLUMNS:
            return Small(SQL_NNC_NULL);
        case SQL_NULL_COLLATION:
            return Small(SQL_NC_LOW);
        case SQL_CATALOG_LOCATION:
            return Small(SQL_CL_START);
        case SQL_ODBC_API_CONFORMANCE:
            return Small(SQL_OAC_LEVEL1);
        case SQL_ODBC_SQL_CONFORMANCE:
            return Small(SQL_OSC_MINIMUM);
        case SQL_ODBC_SAG_CLI_CONFORMANCE:
            return Small(SQL_OSCC_COMPLIANT);

        // What cursors and data retrieval offer.
        case SQL_GETDATA_EXTENSIONS:
            return Integer(SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER | SQL_GD_BOUND | SQL_GD_BLOCK);
        case SQL_SCROLL_OPTIONS:
            return Integer(SQL_SO_FORWARD_ONLY | SQL_SO_STATIC | SQL_SO_KEYSET_DRIVEN);
        case SQL_SCROLL_CONCURRENCY:
            return Integer(SQL_SCCO_READ_ONLY);
        case SQL_FETCH_DIRECTION:
            return Integer(SQL_FD_FETCH_NEXT | SQL_FD_FETCH_FIRST | SQL_FD_FETCH_LAST |
                           SQL_FD_FETCH_PRIOR | SQL_FD_FETCH_ABSOLUTE | SQL_FD_FETCH_RELATIVE);
        case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1:
            return Integer(SQL_CA1_NEXT | SQL_CA1_POS_POSITION);
        case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES2:
        case SQL_STATIC_CURSOR_ATTRIBUTES2:
        case SQL_KEYSET_CURSOR_ATTRIBUTES2:
            return Integer(kReadOnlyCursor);
        case SQL_STATIC_CURSOR_ATTRIBUTES1:
        case SQL_KEYSET_CURSOR_ATTRIBUTES1:
            return Integer(kScrollingCursor);
        case SQL_DYNAMIC_CURSOR_ATTRIBUTES1:
        case SQL_DYNAMIC_CURSOR_ATTRIBUTES2:
            return Integer(0);
        case SQL_CURSOR_SENSITIVITY:
            return Integer(SQL_INSENSITIVE);
        case SQL_POS_OPERATIONS:
            return Integer(SQL_POS_POSITION | SQL_POS_REFRESH);
        case SQL_LOCK_TYPES:
            return Integer(SQL_LCK_NO_CHANGE);
        case SQL_TXN_ISOLATION_OPTION:
        case SQL_DEFAULT_TXN_ISOLATION:
            return Integer(SQL_TXN_READ_COMMITTED);
        case SQL_ASYNC_MODE:
            return Integer(SQL_AM_NONE);
        case SQL_MAX_ASYNC_CONCURRENT_STATEMENTS:
            return Integer(0);
        case SQL_ODBC_INTERFACE_CONFORMANCE:
            return Integer(SQL_OIC_CORE);
        case SQL_SQL_CONFORMANCE:
            return Integer(SQL_SC_SQL92_ENTRY);
        case SQL_SQL92_PREDICATES:
            return Integer(SQL_SP_COMPARISON | SQL_SP_ISNULL | SQL_SP_ISNOTNULL);
        case SQL_PARAM_ARRAY_ROW_COUNTS:
            return Integer(SQL_PARC_NO_BATCH);
        case SQL_PARAM_ARRAY_SELECTS:
            return Integer(SQL_PAS_NO_SELECT);
        case SQL_MAX_ROW_SIZE:
            return Integer(4000);
        case SQL_MAX_STATEMENT_LEN:
            return Integer(65000);
        case SQL_MAX_BINARY_LITERAL_LEN:
        case SQL_MAX_CHAR_LITERAL_LEN:
        case SQL_MAX_INDEX_SIZE:
            return Integer(255);
        case SQL_STATIC_SENSITIVITY:
        case SQL_POSITIONED_STATEMENTS:
        case SQL_BOOKMARK_PERSISTENCE:
        case SQL_ALTER_TABLE:
        case SQL_CONVERT_FUNCTIONS:
        case SQL_NUMERIC_FUNCTIONS:
        case SQL_STRING_FUNCTIONS:
        case SQL_SYSTEM_FUNCTIONS:
        case SQL_TIMEDATE_FUNCTIONS:
        case SQL_OJ_CAPABILITIES:
        case SQL_SUBQUERIES:
        case SQL_UNION:
        case SQL_AGGREGATE_FUNCTIONS:
        case SQL_BATCH_SUPPORT:
        case SQL_BATCH_ROW_COUNT:
        case SQL_INDEX_KEYWORDS:
        case SQL_INFO_SCHEMA_VIEWS:
        case SQL_CATALOG_USAGE:
        case SQL_SCHEMA_USAGE:
        case SQL_DATETIME_LITERALS:
        case SQL_SQL92_RELATIONAL_JOIN_OPERATORS:
        case SQL_SQL92_DATETIME_FUNCTIONS:
        case SQL_SQL92_NUMERIC_VALUE_FUNCTIONS:
        case SQL_SQL92_STRING_FUNCTIONS:
        case SQL_SQL92_VALUE_EXPRESSIONS:
        case SQL_SQL92_FOREIGN_KEY_DELETE_RULE:
        case SQL_SQL92_FOREIGN_KEY_UPDATE_RULE:
        case SQL_SQL92_GRANT:
        case SQL_SQL92_REVOKE:
        case SQL_SQL92_ROW_VALUE_CONSTRUCTOR:
        case SQL_CREATE_TABLE:
        case SQL_CREATE_VIEW:
        case SQL_CREATE_SCHEMA:
        case SQL_CREATE_ASSERTION:
        case SQL_CREATE_CHARACTER_SET:
        case SQL_CREATE_COLLATION:
        case SQL_CREATE_DOMAIN:
        case SQL_CREATE_TRANSLATION:
        case SQL_DROP_TABLE:
        case SQL_DROP_VIEW:
        case SQL_DROP_SCHEMA:
        case SQL_DROP_ASSERTION:
        case SQL_DROP_CHARACTER_SET:
        case SQL_DROP_COLLATION:
        case SQL_DROP_DOMAIN:
        case SQL_DROP_TRANSLATION:
        case SQL_DDL_INDEX:
        case SQL_INSERT_STATEMENT:
        case SQL_STANDARD_CLI_CONFORMANCE:
        case SQL_DTC_TRANSITION_COST:
            return Integer(0);
        case SQL_CONVERT_BIT:
        case SQL_CONVERT_TINYINT:
        case SQL_CONVERT_SMALLINT:
        case SQL_CONVERT_INTEGER:
        case SQL_CONVERT_REAL:
        case SQL_CONVERT_DOUBLE:
        case SQL_CONVERT_NUMERIC:
        case SQL_CONVERT_VARCHAR:
        case SQL_CONVERT_LONGVARCHAR:
        case SQL_CONVERT_TIMESTAMP:
        case SQL_CONVERT_BINARY:
        case SQL_CONVERT_LONGVARBINARY:
        case SQL_CONVERT_CHAR:
        case SQL_CONVERT_DECIMAL:
        case SQL_CONVERT_FLOAT:
        case SQL_CONVERT_BIGINT:
        case SQL_CONVERT_DATE:
        case SQL_CONVERT_TIME:
        case SQL_CONVERT_VARBINARY:
        case SQL_CONVERT_WCHAR:
        case SQL_CONVERT_WVARCHAR:
        case SQL_CONVERT_WLONGVARCHAR:
        case SQL_CONVERT_GUID:
            return Integer(0);  // the driver runs no CONVERT
        default:
            throw DriverError("HY096", "Information type out of range.", 0);
    }
}

}  // namespace jetodbc
