// The driver's account of itself: the function list the driver manager
// trusts must name exactly the entry points the library exports.
#include "jetodbc/driver_info.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "jetodbc/driver_error.h"

using namespace jetodbc;

namespace {

const std::map<SQLUSMALLINT, const char*> kNames = {
    {SQL_API_SQLALLOCHANDLE, "SQLAllocHandle"},
    {SQL_API_SQLFREEHANDLE, "SQLFreeHandle"},
    {SQL_API_SQLSETENVATTR, "SQLSetEnvAttr"},
    {SQL_API_SQLGETENVATTR, "SQLGetEnvAttr"},
    {SQL_API_SQLCONNECT, "SQLConnect"},
    {SQL_API_SQLDRIVERCONNECT, "SQLDriverConnect"},
    {SQL_API_SQLDISCONNECT, "SQLDisconnect"},
    {SQL_API_SQLGETINFO, "SQLGetInfo"},
    {SQL_API_SQLGETFUNCTIONS, "SQLGetFunctions"},
    {SQL_API_SQLSETCONNECTATTR, "SQLSetConnectAttr"},
    {SQL_API_SQLGETCONNECTATTR, "SQLGetConnectAttr"},
    {SQL_API_SQLENDTRAN, "SQLEndTran"},
    {SQL_API_SQLNATIVESQL, "SQLNativeSql"},
    {SQL_API_SQLPREPARE, "SQLPrepare"},
    {SQL_API_SQLEXECUTE, "SQLExecute"},
    {SQL_API_SQLEXECDIRECT, "SQLExecDirect"},
    {SQL_API_SQLNUMPARAMS, "SQLNumParams"},
    {SQL_API_SQLNUMRESULTCOLS, "SQLNumResultCols"},
    {SQL_API_SQLDESCRIBECOL, "SQLDescribeCol"},
    {SQL_API_SQLCOLATTRIBUTE, "SQLColAttribute"},
    {SQL_API_SQLBINDCOL, "SQLBindCol"},
    {SQL_API_SQLFETCH, "SQLFetch"},
    {SQL_API_SQLFETCHSCROLL, "SQLFetchScroll"},
    {SQL_API_SQLGETDATA, "SQLGetData"},
    {SQL_API_SQLSETPOS, "SQLSetPos"},
    {SQL_API_SQLBULKOPERATIONS, "SQLBulkOperations"},
    {SQL_API_SQLROWCOUNT, "SQLRowCount"},
    {SQL_API_SQLMORERESULTS, "SQLMoreResults"},
    {SQL_API_SQLFREESTMT, "SQLFreeStmt"},
    {SQL_API_SQLCLOSECURSOR, "SQLCloseCursor"},
    {SQL_API_SQLCANCEL, "SQLCancel"},
    {SQL_API_SQLSETSTMTATTR, "SQLSetStmtAttr"},
    {SQL_API_SQLGETSTMTATTR, "SQLGetStmtAttr"},
    {SQL_API_SQLTABLES, "SQLTables"},
    {SQL_API_SQLCOLUMNS, "SQLColumns"},
    {SQL_API_SQLGETTYPEINFO, "SQLGetTypeInfo"},
    {SQL_API_SQLGETDIAGREC, "SQLGetDiagRec"},
    {SQL_API_SQLGETDIAGFIELD, "SQLGetDiagField"},
    {SQL_API_SQLGETCURSORNAME, "SQLGetCursorName"},
    {SQL_API_SQLSETCURSORNAME, "SQLSetCursorName"},
    {SQL_API_SQLBINDPARAMETER, "SQLBindParameter"},
    {SQL_API_SQLDESCRIBEPARAM, "SQLDescribeParam"},
    {SQL_API_SQLSTATISTICS, "SQLStatistics"},
    {SQL_API_SQLPRIMARYKEYS, "SQLPrimaryKeys"},
    {SQL_API_SQLSPECIALCOLUMNS, "SQLSpecialColumns"},
    // Functions the driver leaves to the driver manager or does not offer.
    {SQL_API_SQLERROR, "SQLError"},
    {SQL_API_SQLEXTENDEDFETCH, "SQLExtendedFetch"},
    {SQL_API_SQLGETDESCFIELD, "SQLGetDescField"},
};

}  // namespace

TEST(DriverInfo, TheFunctionListIsWhatTheLibraryExports) {
    void* module = dlopen(JETODBC_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    SQLUSMALLINT bitmap[SQL_API_ODBC3_ALL_FUNCTIONS_SIZE];
    GetFunctions(SQL_API_ODBC3_ALL_FUNCTIONS, bitmap);
    SQLUSMALLINT odbc2[100];
    GetFunctions(SQL_API_ALL_FUNCTIONS, odbc2);
    for (const auto& [id, name] : kNames) {
        SQLUSMALLINT one = 9;
        GetFunctions(id, &one);
        const bool exported = dlsym(module, name) != nullptr;
        EXPECT_EQ(one == SQL_TRUE, exported) << name;
        EXPECT_EQ(SQL_FUNC_EXISTS(bitmap, id) == SQL_TRUE, exported) << name;
        if (id < 100) {
            EXPECT_EQ(odbc2[id] == SQL_TRUE, exported) << name;
        }
    }
    EXPECT_EQ(SupportedFunctions().size(), 45u);
    // Nothing but entry points is visible.
    EXPECT_EQ(dlsym(module, "_ZN7jetodbc11ParseSelectESt17basic_string_viewIcSt11char_traitsIcEE"),
              nullptr);
    dlclose(module);
}

TEST(DriverInfo, InformationThatNeedsNoConnection) {
    EXPECT_EQ(GetInfo(SQL_DRIVER_ODBC_VER, nullptr, "").text, "03.51");
    const InfoValue cursors = GetInfo(SQL_STATIC_CURSOR_ATTRIBUTES1, nullptr, "");
    EXPECT_EQ(cursors.kind, InfoValue::Kind::Integer);
    EXPECT_TRUE(cursors.number & SQL_CA1_ABSOLUTE);
    EXPECT_EQ(GetInfo(SQL_MAX_TABLES_IN_SELECT, nullptr, "").kind, InfoValue::Kind::Small);
    EXPECT_THROW(GetInfo(SQL_DATABASE_NAME, nullptr, ""), DriverError);  // needs a connection
    EXPECT_THROW(GetInfo(12345, nullptr, ""), DriverError);
}
