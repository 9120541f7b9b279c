// Cursor movement and statement control through the driver manager:
// SQLFetchScroll in every direction, the attributes of cursors, freeing,
// closing and cancelling, row counts, rowsets of several rows, and the
// calls a read-only driver refuses.
#include <gtest/gtest.h>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

class CursorTest : public ::testing::Test {
  protected:
    CursorTest() : session_(FixtureDatabase("club")), st_(session_.connection) {}

    SQLHSTMT stmt() const { return st_.get(); }
    void Scrollable() {
        ASSERT_EQ(SQLSetStmtAttr(stmt(), SQL_ATTR_CURSOR_TYPE,
                                 reinterpret_cast<SQLPOINTER>(SQL_CURSOR_KEYSET_DRIVEN), 0),
                  SQL_SUCCESS);
    }
    // The Table column of the current row.
    int Current() {
        SQLSMALLINT v = 0;
        SQLLEN indicator = 0;
        EXPECT_TRUE(SQL_SUCCEEDED(SQLGetData(stmt(), 1, SQL_C_SSHORT, &v, 0, &indicator)))
            << st_.States();
        return v;
    }
    static constexpr const char* kSeven = "SELECT [Table] FROM [Tables] WHERE [Section] = 1";

    Session session_;
    Statement st_;
};

}  // namespace

TEST_F(CursorTest, TheDriverManagerPassesFetchScrollOn) {
    SQLUSMALLINT supported = SQL_FALSE;
    ASSERT_EQ(SQLGetFunctions(session_.connection.get(), SQL_API_SQLFETCHSCROLL, &supported),
              SQL_SUCCESS);
    EXPECT_EQ(supported, SQL_TRUE);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    int n = 0;
    while (SQLFetchScroll(stmt(), SQL_FETCH_NEXT, 0) == SQL_SUCCESS) EXPECT_EQ(Current(), ++n);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_NEXT, 0), SQL_NO_DATA);
}

TEST_F(CursorTest, ScrollingInEveryDirection) {
    SQLSetStmtAttr(stmt(), SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_ROWVER),
                   0);
    Scrollable();
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_LAST, 0), SQL_SUCCESS);
    EXPECT_EQ(Current(), 7);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_PRIOR, 0), SQL_SUCCESS);
    EXPECT_EQ(Current(), 6);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_ABSOLUTE, 2), SQL_SUCCESS);
    EXPECT_EQ(Current(), 2);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_RELATIVE, 3), SQL_SUCCESS);
    EXPECT_EQ(Current(), 5);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_ABSOLUTE, -1), SQL_SUCCESS);
    EXPECT_EQ(Current(), 7);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_FIRST, 0), SQL_SUCCESS);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_PRIOR, 0), SQL_NO_DATA);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_NEXT, 0), SQL_SUCCESS);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_ABSOLUTE, 8), SQL_NO_DATA);
    SQLINTEGER bookmark = 0;
    EXPECT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_BOOKMARK, bookmark), SQL_ERROR);
    SQLULEN value = 0;
    SQLGetStmtAttr(stmt(), SQL_ATTR_CONCURRENCY, &value, 0, nullptr);
    EXPECT_EQ(value, static_cast<SQLULEN>(SQL_CONCUR_READ_ONLY));
    SQLGetStmtAttr(stmt(), SQL_ATTR_CURSOR_TYPE, &value, 0, nullptr);
    EXPECT_EQ(value, static_cast<SQLULEN>(SQL_CURSOR_KEYSET_DRIVEN));
}

TEST_F(CursorTest, TwoStatementsOnOneTableFetchInTurns) {
    // Both read the one row store of the connection; each keeps its own place.
    Statement other(session_.connection);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    ASSERT_EQ(other.Exec(std::string(kSeven) + " ORDER BY [Table] DESC"), SQL_SUCCESS);
    std::string order;
    for (int turn = 0; turn < 3; ++turn) {
        ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
        ASSERT_EQ(SQLFetch(other.get()), SQL_SUCCESS);
        SQLSMALLINT v = 0;
        SQLLEN indicator = 0;
        ASSERT_TRUE(SQL_SUCCEEDED(SQLGetData(other.get(), 1, SQL_C_SSHORT, &v, 0, &indicator)));
        order += std::to_string(Current()) + std::to_string(v) + " ";
    }
    EXPECT_EQ(order, "17 26 35 ");
}

TEST_F(CursorTest, CursorAttributesCannotChangeWhileOpen) {
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    EXPECT_EQ(SQLSetStmtAttr(stmt(), SQL_ATTR_CURSOR_TYPE,
                             reinterpret_cast<SQLPOINTER>(SQL_CURSOR_STATIC), 0),
              SQL_ERROR);
    EXPECT_EQ(st_.States(), "24000");
}

TEST_F(CursorTest, FreeCloseCancelAndRunAgain) {
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    SQLLEN rows = 0;
    SQLRowCount(stmt(), &rows);
    EXPECT_EQ(rows, 7);
    SQLSMALLINT table = 0;
    SQLLEN indicator = 0;
    SQLBindCol(stmt(), 1, SQL_C_SSHORT, &table, 0, &indicator);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(table, 1);
    EXPECT_EQ(SQLFreeStmt(stmt(), SQL_CLOSE), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeStmt(stmt(), SQL_RESET_PARAMS), SQL_SUCCESS);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS) << st_.States();
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(table, 1);  // bindings outlive the cursor
    EXPECT_EQ(SQLCancel(stmt()), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeStmt(stmt(), SQL_UNBIND), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeStmt(stmt(), SQL_CLOSE), SQL_SUCCESS);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS) << st_.States();
    table = 0;
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(table, 0);  // unbound
    EXPECT_EQ(SQLMoreResults(stmt()), SQL_NO_DATA);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS) << st_.States();
    EXPECT_EQ(SQLCloseCursor(stmt()), SQL_SUCCESS);
    EXPECT_EQ(SQLCloseCursor(stmt()), SQL_ERROR);
}

TEST_F(CursorTest, RowsetsOfSeveralRowsByColumnAndByRow) {
    SQLULEN fetched = 0;
    SQLUSMALLINT status[4];
    SQLSetStmtAttr(stmt(), SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(4), 0);
    SQLSetStmtAttr(stmt(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    SQLSetStmtAttr(stmt(), SQL_ATTR_ROW_STATUS_PTR, status, 0);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    SQLINTEGER tables[4];
    SQLLEN indicators[4];
    SQLBindCol(stmt(), 1, SQL_C_SLONG, tables, 0, indicators);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(fetched, 4u);
    EXPECT_EQ(tables[3], 4);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(tables[2], 7);
    EXPECT_EQ(status[3], SQL_ROW_NOROW);
    // SQLSetPos chooses the row that SQLGetData reads.
    ASSERT_EQ(SQLSetPos(stmt(), 2, SQL_POSITION, SQL_LOCK_NO_CHANGE), SQL_SUCCESS);
    EXPECT_EQ(Current(), 6);
    EXPECT_EQ(SQLSetPos(stmt(), 4, SQL_POSITION, SQL_LOCK_NO_CHANGE), SQL_ERROR);
    SQLCloseCursor(stmt());

    struct Row {
        SQLSMALLINT table;
        SQLLEN tableIndicator;
        char letter[4];
        SQLLEN letterIndicator;
    } rows[4];
    SQLSetStmtAttr(stmt(), SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(Row)), 0);
    ASSERT_EQ(st_.Exec("SELECT [Table], [Status] FROM [Tables] WHERE [Section] = 2"), SQL_SUCCESS);
    SQLBindCol(stmt(), 1, SQL_C_SSHORT, &rows[0].table, 0, &rows[0].tableIndicator);
    SQLBindCol(stmt(), 2, SQL_C_CHAR, rows[0].letter, sizeof rows[0].letter,
               &rows[0].letterIndicator);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(rows[2].table, 3);
    EXPECT_STREQ(rows[2].letter, "1");
    EXPECT_EQ(rows[3].letterIndicator, 1);
}

TEST_F(CursorTest, MaxRowsLimitsTheResult) {
    SQLSetStmtAttr(stmt(), SQL_ATTR_MAX_ROWS, reinterpret_cast<SQLPOINTER>(3), 0);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    EXPECT_EQ(st_.Rows().size(), 3u);
    // With neither a condition nor an order: the table's first rows as stored.
    using Rows = std::vector<std::vector<std::string>>;
    SQLCloseCursor(stmt());
    ASSERT_EQ(st_.Exec("SELECT [ComputerID] FROM [Tables]"), SQL_SUCCESS);
    EXPECT_EQ(st_.Rows(), (Rows{{"11"}, {"12"}, {"13"}}));
    SQLCloseCursor(stmt());
    ASSERT_EQ(st_.Exec("SELECT TOP 2 [ComputerID] FROM [Tables]"), SQL_SUCCESS);
    EXPECT_EQ(st_.Rows(), (Rows{{"11"}, {"12"}}));
}

TEST_F(CursorTest, TheReadOnlyFileRefusesChanges) {
    Scrollable();
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(SQLSetPos(stmt(), 1, SQL_UPDATE, SQL_LOCK_NO_CHANGE), SQL_ERROR);
    EXPECT_EQ(st_.States(), "HY000");
    EXPECT_EQ(SQLSetPos(stmt(), 1, SQL_DELETE, SQL_LOCK_NO_CHANGE), SQL_ERROR);
    EXPECT_EQ(SQLBulkOperations(stmt(), SQL_ADD), SQL_ERROR);
    EXPECT_FALSE(st_.Records().empty());
    SQLUINTEGER mode = 0;
    SQLGetConnectAttr(session_.connection.get(), SQL_ATTR_ACCESS_MODE, &mode, 0, nullptr);
    EXPECT_EQ(mode, static_cast<SQLUINTEGER>(SQL_MODE_READ_ONLY));
    EXPECT_EQ(SQLSetConnectAttr(session_.connection.get(), SQL_ATTR_ACCESS_MODE,
                                reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_WRITE), 0),
              SQL_SUCCESS_WITH_INFO);
}

TEST_F(CursorTest, InformationForClientsAndTheDriverManager) {
    const SQLHDBC dbc = session_.connection.get();
    char text[64];
    SQLSMALLINT length = 0;
    SQLGetInfo(dbc, SQL_DRIVER_ODBC_VER, text, sizeof text, &length);
    EXPECT_STREQ(text, "03.51");
    SQLGetInfo(dbc, SQL_DATA_SOURCE_READ_ONLY, text, sizeof text, &length);
    EXPECT_STREQ(text, "Y");
    SQLUINTEGER bits = 0;
    SQLGetInfo(dbc, SQL_GETDATA_EXTENSIONS, &bits, sizeof bits, nullptr);
    EXPECT_TRUE(bits & SQL_GD_ANY_COLUMN);
    EXPECT_TRUE(bits & SQL_GD_ANY_ORDER);
    SQLGetInfo(dbc, SQL_SCROLL_OPTIONS, &bits, sizeof bits, nullptr);
    EXPECT_TRUE(bits & SQL_SO_KEYSET_DRIVEN);
    SQLUSMALLINT small = 0;
    SQLGetInfo(dbc, SQL_TXN_CAPABLE, &small, sizeof small, nullptr);
    EXPECT_EQ(small, SQL_TC_NONE);
    EXPECT_EQ(SQLGetInfo(dbc, 9999, text, sizeof text, &length), SQL_ERROR);
    EXPECT_EQ(session_.connection.States(), "HY096");
}

TEST_F(CursorTest, OneStatementTextOnSeveralHandlesKeepsEachCursorAndParameterApart) {
    using Rows = std::vector<std::vector<std::string>>;
    Statement other(session_.connection);
    ASSERT_EQ(st_.Exec(kSeven), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    ASSERT_EQ(other.Exec(kSeven), SQL_SUCCESS);
    EXPECT_EQ(other.Rows(), (Rows{{"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}, {"7"}}));
    EXPECT_EQ(st_.Rows(), (Rows{{"3"}, {"4"}, {"5"}, {"6"}, {"7"}}));

    // One prepared text run with two values at once.
    const std::string above = "SELECT [Table] FROM [Tables] WHERE [Section] = 1 AND [Table] > ?";
    SQLINTEGER five = 5, two = 2;
    SQLLEN size = sizeof(SQLINTEGER);
    for (auto [handle, value] : {std::pair{stmt(), &five}, std::pair{other.get(), &two}}) {
        ASSERT_EQ(SQLFreeStmt(handle, SQL_CLOSE), SQL_SUCCESS);
        ASSERT_EQ(SQLPrepare(handle, reinterpret_cast<SQLCHAR*>(const_cast<char*>(above.c_str())),
                             SQL_NTS),
                  SQL_SUCCESS);
        ASSERT_EQ(SQLBindParameter(handle, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                   value, 0, &size),
                  SQL_SUCCESS);
        ASSERT_EQ(SQLExecute(handle), SQL_SUCCESS);
    }
    EXPECT_EQ(st_.Rows(), (Rows{{"6"}, {"7"}}));
    EXPECT_EQ(other.Rows(), (Rows{{"3"}, {"4"}, {"5"}, {"6"}, {"7"}}));

    // Many more different texts than a connection keeps: the first, run
    // again, still reads the same rows.
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(SQLFreeStmt(other.get(), SQL_CLOSE), SQL_SUCCESS);
        ASSERT_EQ(other.Exec("SELECT [Table] FROM [Tables] WHERE [Table] = " + std::to_string(i)),
                  SQL_SUCCESS);
    }
    ASSERT_EQ(SQLFreeStmt(other.get(), SQL_CLOSE), SQL_SUCCESS);
    ASSERT_EQ(other.Exec(kSeven), SQL_SUCCESS);
    EXPECT_EQ(other.Rows().size(), 7u);
}

TEST_F(CursorTest, ACursorNameIsTheDriversOwnUntilOneIsSet) {
    auto nameOf = [](SQLHSTMT statement) {
        SQLCHAR name[64] = {0};
        SQLSMALLINT length = 0;
        EXPECT_EQ(SQLGetCursorName(statement, name, sizeof name, &length), SQL_SUCCESS);
        return std::string(reinterpret_cast<char*>(name), static_cast<size_t>(length));
    };
    const std::string given = nameOf(stmt());
    EXPECT_EQ(given.rfind("SQL_CUR", 0), 0u) << given;
    EXPECT_EQ(nameOf(stmt()), given);
    Statement other(session_.connection);
    EXPECT_NE(nameOf(other.get()), given);
    ASSERT_EQ(
        SQLSetCursorName(stmt(), reinterpret_cast<SQLCHAR*>(const_cast<char*>("Results")), SQL_NTS),
        SQL_SUCCESS);
    EXPECT_EQ(nameOf(stmt()), "Results");
}
