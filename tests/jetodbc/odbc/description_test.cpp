// Describing results: the SQL types Microsoft's driver reports for each Jet
// type, names in the file's own letter case, and column attributes.
#include <gtest/gtest.h>
#include <strings.h>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

struct Described {
    std::string name;
    SQLSMALLINT type;
    SQLULEN size;
    SQLSMALLINT digits;
    SQLSMALLINT nullable;
};

std::vector<Described> Describe(const Connection& c, const std::string& sql) {
    Statement st(c);
    EXPECT_EQ(st.Exec(sql), SQL_SUCCESS) << st.States();
    SQLSMALLINT count = 0;
    SQLNumResultCols(st.get(), &count);
    std::vector<Described> out;
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR name[128];
        Described d{};
        EXPECT_EQ(SQLDescribeCol(st.get(), i, name, sizeof name, nullptr, &d.type, &d.size,
                                 &d.digits, &d.nullable),
                  SQL_SUCCESS);
        d.name = reinterpret_cast<char*>(name);
        out.push_back(d);
    }
    return out;
}

}  // namespace

TEST(Description, TypesAsMicrosoftsDriverReportsThem) {
    Session s(FixtureDatabase("types"));
    const std::vector<Described> d = Describe(s.connection, "SELECT * FROM Kinds");
    ASSERT_EQ(d.size(), 11u);
    const std::vector<std::pair<std::string, SQLSMALLINT>> expected = {
        {"Id", SQL_INTEGER},     {"Flag", SQL_BIT},         {"Tiny", SQL_TINYINT},
        {"Small", SQL_SMALLINT}, {"Big", SQL_INTEGER},      {"Ratio", SQL_REAL},
        {"Amount", SQL_DOUBLE},  {"Money", SQL_NUMERIC},    {"Moment", SQL_TYPE_TIMESTAMP},
        {"Label", SQL_VARCHAR},  {"Notes", SQL_LONGVARCHAR}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(d[i].name, expected[i].first);
        EXPECT_EQ(d[i].type, expected[i].second) << d[i].name;
    }
    EXPECT_EQ(d[7].size, 19u);
    EXPECT_EQ(d[7].digits, 4);
    EXPECT_EQ(d[9].size, 12u);  // Text(12): characters, not bytes
    EXPECT_EQ(d[8].size, 19u);
}

TEST(Description, AYesNoColumnIsNeverNullATextColumnMayBeAndTheCatalogAgrees) {
    Session s(FixtureDatabase("types"));
    const std::vector<Described> d = Describe(s.connection, "SELECT Flag, Label FROM Kinds");
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].nullable, SQL_NO_NULLS);
    EXPECT_EQ(d[1].nullable, SQL_NULLABLE);
    Statement st(s.connection);
    ASSERT_EQ(SQLColumns(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"Kinds", SQL_NTS, nullptr, 0),
              SQL_SUCCESS);
    std::vector<std::vector<std::string>> named;  // COLUMN_NAME, NULLABLE, IS_NULLABLE
    for (const auto& row : st.Rows()) {
        if (row[3] == "Flag" || row[3] == "Label") named.push_back({row[3], row[10], row[17]});
    }
    EXPECT_EQ(named,
              (std::vector<std::vector<std::string>>{{"Flag", "0", "NO"}, {"Label", "1", "YES"}}));
}

TEST(Description, TheTimestampTypeFollowsTheClientsOdbcVersion) {
    SQLHENV env;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC2), 0);
    SQLHDBC dbc;
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    const std::string cs = ControllerConnectionString(FixtureDatabase("types"));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)cs.c_str(), SQL_NTS, nullptr,
                                               0, nullptr, SQL_DRIVER_NOPROMPT)));
    SQLHSTMT st;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
    SQLExecDirect(st, (SQLCHAR*)"SELECT Moment FROM Kinds", SQL_NTS);
    SQLSMALLINT type = 0;
    SQLDescribeCol(st, 1, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr);
    EXPECT_EQ(type, SQL_TIMESTAMP);
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
}

TEST(Description, NamesInTheFilesCaseAndCutWithWarning) {
    Session s(FixtureDatabase("club"));
    Statement st(s.connection);
    ASSERT_EQ(st.Exec("SELECT [ReceivedData].* FROM [ReceivedData]"), SQL_SUCCESS);
    SQLSMALLINT count = 0;
    SQLNumResultCols(st.get(), &count);
    EXPECT_EQ(count, 22);
    SQLCHAR name[4];
    SQLSMALLINT length = 0;
    EXPECT_EQ(
        SQLDescribeCol(st.get(), 9, name, sizeof name, &length, nullptr, nullptr, nullptr, nullptr),
        SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(st.States(), "01004");
    EXPECT_STREQ(reinterpret_cast<char*>(name), "NS/");
    EXPECT_EQ(length, 5);
    // The reader's lookup of a column by name ignores letter case.
    SQLUSMALLINT found = 0;
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR n[256] = {0};
        SQLDescribeCol(st.get(), i, n, sizeof n, nullptr, nullptr, nullptr, nullptr, nullptr);
        if (strcasecmp(reinterpret_cast<char*>(n), "externalupdate") == 0) found = i;
    }
    EXPECT_EQ(found, 22);
}

TEST(Description, ColumnAttributes) {
    Session s(FixtureDatabase("types"));
    Statement st(s.connection);
    ASSERT_EQ(st.Exec("SELECT Tiny, Label, Money FROM Kinds"), SQL_SUCCESS);
    char text[64];
    SQLSMALLINT length = 0;
    SQLLEN number = 0;
    SQLColAttribute(st.get(), 1, SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &number);
    EXPECT_EQ(number, SQL_TRUE);
    SQLColAttribute(st.get(), 1, SQL_DESC_TYPE_NAME, text, sizeof text, &length, nullptr);
    EXPECT_STREQ(text, "BYTE");
    SQLColAttribute(st.get(), 2, SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr, &number);
    EXPECT_EQ(number, 12);
    SQLColAttribute(st.get(), 2, SQL_DESC_LABEL, text, sizeof text, &length, nullptr);
    EXPECT_STREQ(text, "Label");
    SQLColAttribute(st.get(), 2, SQL_DESC_BASE_TABLE_NAME, text, sizeof text, &length, nullptr);
    EXPECT_STREQ(text, "Kinds");
    SQLColAttribute(st.get(), 3, SQL_DESC_SCALE, nullptr, 0, nullptr, &number);
    EXPECT_EQ(number, 4);
    SQLColAttribute(st.get(), 1, SQL_DESC_COUNT, nullptr, 0, nullptr, &number);
    EXPECT_EQ(number, 3);
    EXPECT_EQ(SQLColAttribute(st.get(), 4, SQL_DESC_NAME, text, sizeof text, &length, nullptr),
              SQL_ERROR);
    EXPECT_EQ(st.States(), "07009");
}

TEST(Description, NumericPrecisionScaleAndValue) {
    // Numeric exists only in Jet 4 files (Access 2000 brought it).
    Session s(MakeDatabase("numeric.bws",
                           "database created=2026-01-15\ntable Amounts\n"
                           "column Amount Numeric(12,3)\ncolumn Whole Numeric(28,0)\n"
                           "row -1110.554, 1\nrow 0.001, -9999999999999999999999999999\n",
                           "jet4"));
    const std::vector<Described> d = Describe(s.connection, "SELECT * FROM Amounts");
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].type, SQL_NUMERIC);
    EXPECT_EQ(d[0].size, 12u);
    EXPECT_EQ(d[0].digits, 3);
    EXPECT_EQ(d[1].size, 28u);
    EXPECT_EQ(d[1].digits, 0);
    Statement st(s.connection);
    ASSERT_EQ(st.Exec("SELECT * FROM Amounts"), SQL_SUCCESS);
    EXPECT_EQ(st.Rows(), (std::vector<std::vector<std::string>>{
                             {"-1110.554", "1"}, {"0.001", "-9999999999999999999999999999"}}));
    SQLCloseCursor(st.get());
    ASSERT_EQ(st.Exec("SELECT Amount FROM Amounts"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS);
    double amount = 0;
    EXPECT_EQ(SQLGetData(st.get(), 1, SQL_C_DOUBLE, &amount, 0, nullptr), SQL_SUCCESS);
    EXPECT_DOUBLE_EQ(amount, -1110.554);
    SQLCloseCursor(st.get());
    ASSERT_EQ(
        SQLColumns(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"Amounts", SQL_NTS, nullptr, 0),
        SQL_SUCCESS);
    std::vector<std::vector<std::string>> columns;  // name, type, size, digits, radix
    for (const auto& r : st.Rows()) columns.push_back({r[3], r[4], r[6], r[8], r[9]});
    const std::string numeric = std::to_string(SQL_NUMERIC);
    EXPECT_EQ(columns,
              (std::vector<std::vector<std::string>>{{"Amount", numeric, "12", "3", "10"},
                                                     {"Whole", numeric, "28", "0", "10"}}));
}
