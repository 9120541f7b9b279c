// Parameter markers: described after SQLPrepare, bound in each C type a
// client uses, run again with new values. Rows are of the Keywords table of
// types.jdesc (see query_forms_test.cpp); the Number column names them.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

using Strings = std::vector<std::string>;

class ParametersTest : public ::testing::Test {
  protected:
    ParametersTest() : types_(FixtureDatabase("types")), st_(types_.connection) {}

    void Prepare(const std::string& where) {
        const std::string sql = "SELECT [Number] FROM [Keywords] WHERE " + where;
        ASSERT_EQ(SQLPrepare(st_.get(), (SQLCHAR*)sql.c_str(), SQL_NTS), SQL_SUCCESS)
            << st_.States();
    }
    void Bind(SQLUSMALLINT n, SQLSMALLINT cType, SQLSMALLINT sqlType, void* data, SQLLEN* ind) {
        ASSERT_EQ(
            SQLBindParameter(st_.get(), n, SQL_PARAM_INPUT, cType, sqlType, 0, 0, data, 0, ind),
            SQL_SUCCESS)
            << st_.States();
    }
    // The Number column of the rows SQLExecute gives now.
    Strings Run() {
        Strings out;
        if (SQLExecute(st_.get()) != SQL_SUCCESS) {
            ADD_FAILURE() << st_.States();
            return out;
        }
        for (const auto& r : st_.Rows()) out.push_back(r[0]);
        SQLCloseCursor(st_.get());
        return out;
    }
    std::string FailedState() {
        EXPECT_EQ(SQLExecute(st_.get()), SQL_ERROR);
        return st_.States();
    }

    Session types_;
    Statement st_;
};

}  // namespace

TEST_F(ParametersTest, DescribedAfterPrepareAndRunAgainWithNewValues) {
    Prepare("[Table] = ? AND [Name] LIKE ?");
    SQLSMALLINT count = 0;
    ASSERT_EQ(SQLNumParams(st_.get(), &count), SQL_SUCCESS);
    EXPECT_EQ(count, 2);
    SQLSMALLINT type = 0, digits = 9, nullable = 0;
    SQLULEN size = 0;
    ASSERT_EQ(SQLDescribeParam(st_.get(), 1, &type, &size, &digits, &nullable), SQL_SUCCESS);
    EXPECT_EQ(type, SQL_SMALLINT);  // what it is compared with: an Integer column
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(nullable, SQL_NULLABLE);
    ASSERT_EQ(SQLDescribeParam(st_.get(), 2, &type, &size, &digits, &nullable), SQL_SUCCESS);
    EXPECT_EQ(type, SQL_VARCHAR);
    EXPECT_EQ(SQLDescribeParam(st_.get(), 3, &type, &size, &digits, &nullable), SQL_ERROR);
    EXPECT_EQ(st_.States(), "07009");

    SQLINTEGER table = 2;
    char pattern[16] = "b%";
    SQLLEN tableInd = 0, patternInd = SQL_NTS;
    Bind(1, SQL_C_SLONG, SQL_INTEGER, &table, &tableInd);
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, pattern, &patternInd);
    EXPECT_EQ(Run(), (Strings{"2", "5"}));
    table = 1;
    std::strcpy(pattern, "A*");
    EXPECT_EQ(Run(), (Strings{"1"}));
    tableInd = SQL_NULL_DATA;  // compares with nothing
    EXPECT_EQ(Run(), Strings{});
}

TEST_F(ParametersTest, EveryKindOfValue) {
    Prepare("[Table] < ? OR [Number] = ? OR [Date] = ? OR [Date] = ? OR [Time] = ?");
    double below = 1.5;
    SQLWCHAR number[] = {u'5', 0};
    SQL_TIMESTAMP_STRUCT stamp{2025, 1, 3, 0, 0, 0, 0};
    char dateText[] = "2025-01-02";
    SQL_TIME_STRUCT time{9, 0, 0};
    SQLLEN nts = SQL_NTS, fixed = 0;
    Bind(1, SQL_C_DOUBLE, SQL_DOUBLE, &below, &fixed);
    Bind(2, SQL_C_WCHAR, SQL_WVARCHAR, number, &nts);
    Bind(3, SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, &stamp, &fixed);
    Bind(4, SQL_C_CHAR, SQL_VARCHAR, dateText, &nts);  // text for a date column
    Bind(5, SQL_C_TYPE_TIME, SQL_TYPE_TIME, &time, &fixed);
    // Table 1: rows "1" and "4"; Number "5"; 2025-01-03: "4"; 2025-01-02: "3"; 09:00: "1".
    EXPECT_EQ(Run(), (Strings{"3", "1", "4", "5"}));
}

TEST_F(ParametersTest, TextBecomesANumberWhereOneIsCompared) {
    Prepare("[Table] IN (?, ?)");
    char three[] = "3", x[] = "x";
    SQLLEN nts = SQL_NTS;
    Bind(1, SQL_C_CHAR, SQL_VARCHAR, three, &nts);
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, three, &nts);
    EXPECT_EQ(Run(), (Strings{"3"}));
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, x, &nts);
    EXPECT_EQ(FailedState(), "22018");
    ASSERT_EQ(SQLFreeStmt(st_.get(), SQL_RESET_PARAMS), SQL_SUCCESS);
    EXPECT_EQ(FailedState(), "07002");  // no longer bound
}

TEST_F(ParametersTest, ExecDirectTakesBoundParametersAndOutputOnesAreRefused) {
    SQLSMALLINT group = 1;
    SQLLEN fixed = 0;
    Bind(1, SQL_C_SSHORT, SQL_SMALLINT, &group, &fixed);
    ASSERT_EQ(st_.Exec("SELECT [Number] FROM [Keywords] WHERE [Group] = ? ORDER BY [Number] DESC"),
              SQL_SUCCESS)
        << st_.States();
    EXPECT_EQ(st_.Rows(), (std::vector<Strings>{{"5"}, {"3"}}));
    EXPECT_EQ(SQLBindParameter(st_.get(), 1, SQL_PARAM_OUTPUT, SQL_C_SSHORT, SQL_SMALLINT, 0, 0,
                               &group, 0, &fixed),
              SQL_ERROR);
    EXPECT_EQ(st_.States(), "HY105");
}
