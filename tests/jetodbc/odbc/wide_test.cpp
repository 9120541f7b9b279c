// The wide entry points on a file whose table and column names are Cyrillic
// and Chinese, as a client that connected wide calls them: catalog names,
// a statement with wide names, its description and a diagnostic naming a
// column, all in UTF-16 and whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

SQLWCHAR* Wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

class WideTest : public ::testing::Test {
  protected:
    WideTest() {
        SQLAllocHandle(SQL_HANDLE_DBC, env_.get(), &dbc_);
        std::u16string connect;
        for (char c : ControllerConnectionString(FixtureDatabase("unicode")))
            connect += static_cast<char16_t>(c);  // ASCII
        connected_ = SQL_SUCCEEDED(SQLDriverConnectW(dbc_, nullptr, Wide(connect), SQL_NTS, nullptr,
                                                     0, nullptr, SQL_DRIVER_NOPROMPT));
        SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &st_);
    }
    ~WideTest() override {
        SQLFreeHandle(SQL_HANDLE_STMT, st_);
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    }

    // Column `column` of every remaining row, read as SQL_C_WCHAR.
    std::vector<std::u16string> Column(SQLUSMALLINT column) {
        std::vector<std::u16string> values;
        while (SQLFetch(st_) == SQL_SUCCESS) {
            char16_t text[64] = {};
            SQLLEN indicator = 0;
            EXPECT_EQ(SQLGetData(st_, column, SQL_C_WCHAR, text, sizeof text, &indicator),
                      SQL_SUCCESS);
            values.emplace_back(text);
        }
        SQLCloseCursor(st_);
        return values;
    }

    Environment env_;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    SQLHSTMT st_ = SQL_NULL_HSTMT;
    bool connected_ = false;
};

using Names = std::vector<std::u16string>;

}  // namespace

TEST_F(WideTest, CatalogNamesComeWhole) {
    ASSERT_TRUE(connected_);
    std::u16string types = u"TABLE";
    ASSERT_EQ(SQLTablesW(st_, nullptr, 0, nullptr, 0, nullptr, 0, Wide(types), SQL_NTS),
              SQL_SUCCESS);
    EXPECT_EQ(Column(3), (Names{u"Игроки", u"表"}));
    std::u16string table = u"Игроки";
    ASSERT_EQ(SQLColumnsW(st_, nullptr, 0, nullptr, 0, Wide(table), SQL_NTS, nullptr, 0),
              SQL_SUCCESS);
    EXPECT_EQ(Column(4), (Names{u"Имя", u"Фамилия", u"分数", u"日期"}));
}

TEST_F(WideTest, AStatementWithWideNamesIsDescribedAndReadInThem) {
    ASSERT_TRUE(connected_);
    std::u16string sql = u"SELECT Фамилия AS 姓, [Имя] FROM Игроки WHERE 分数 = 7";
    ASSERT_EQ(SQLExecDirectW(st_, Wide(sql), SQL_NTS), SQL_SUCCESS);
    Names described;
    for (SQLUSMALLINT c = 1; c <= 2; ++c) {
        char16_t name[32] = {};
        SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        ASSERT_EQ(SQLDescribeColW(st_, c, reinterpret_cast<SQLWCHAR*>(name), 32, &length, &type,
                                  &size, &digits, &nullable),
                  SQL_SUCCESS);
        EXPECT_EQ(static_cast<size_t>(length), std::u16string(name).size());
        EXPECT_EQ(type, SQL_WVARCHAR);
        described.emplace_back(name);
    }
    EXPECT_EQ(described, (Names{u"姓", u"Имя"}));
    EXPECT_EQ(Column(1), (Names{u"小龙"}));
}

TEST_F(WideTest, ADiagnosticNamesTheUnknownColumnWhole) {
    ASSERT_TRUE(connected_);
    std::u16string sql = u"SELECT Отчество FROM Игроки";
    ASSERT_EQ(SQLExecDirectW(st_, Wide(sql), SQL_NTS), SQL_ERROR);
    char16_t state[6] = {};
    char16_t message[256] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLGetDiagRecW(SQL_HANDLE_STMT, st_, 1, reinterpret_cast<SQLWCHAR*>(state), &native,
                             reinterpret_cast<SQLWCHAR*>(message), 256, &length),
              SQL_SUCCESS);
    EXPECT_EQ(std::u16string(state), u"42S22");
    EXPECT_EQ(std::u16string(message),
              u"[Vellamo][ODBC Jet Driver]Unknown column 'Отчество' at position 8.");
}
