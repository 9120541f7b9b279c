// The query forms clients write beyond the table reader's statement:
// aggregates and GROUP BY, DISTINCT, TOP, aliases, ORDER BY by number,
// LIKE with both sets of wildcards, IN and BETWEEN. Expected rows are worked
// out by hand from the Keywords table of types.jdesc:
//   Table Round Section Date        Name   Group Number
//   3     2     1       2025-01-02  zeta   1     "3"
//   1     2     1       2025-01-01  Alpha  2     "1"
//   2     1     1       NULL        beta   NULL  "2"
//   1     1     2       2025-01-03  NULL   2     "4"
//   2     2     1       2025-01-04  BETA   1     "5"
#include <gtest/gtest.h>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class QueryFormsTest : public ::testing::Test {
  protected:
    QueryFormsTest() : types_(FixtureDatabase("types")) {}

    Rows Query(const std::string& sql) {
        Statement st(types_.connection);
        const SQLRETURN rc = st.Exec(sql);
        EXPECT_EQ(rc, SQL_SUCCESS) << sql << ": " << st.States();
        return SQL_SUCCEEDED(rc) ? st.Rows() : Rows();
    }
    // The Number column of the rows where holds, in stored order.
    std::vector<std::string> Numbers(const std::string& where) {
        std::vector<std::string> out;
        for (const auto& r : Query("SELECT [Number] FROM [Keywords] WHERE " + where)) {
            out.push_back(r[0]);
        }
        return out;
    }
    std::string FailedState(const std::string& sql) {
        Statement st(types_.connection);
        EXPECT_EQ(st.Exec(sql), SQL_ERROR) << sql;
        return st.States();
    }

    Session types_;
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(QueryFormsTest, AggregatesPerGroupInKeyOrderAndOverTheWholeTable) {
    EXPECT_EQ(
        Query("SELECT [Round], COUNT(*) AS n, COUNT([Name]), MIN([Name]), MAX([Table]), "
              "SUM([Table]), AVG([Table]) FROM [Keywords] GROUP BY [Round]"),
        (Rows{{"1", "2", "1", "beta", "2", "3", "1.5"}, {"2", "3", "3", "Alpha", "3", "6", "2"}}));
    // ORDER BY an aggregate that is not shown, and a group key that is.
    EXPECT_EQ(Query("SELECT [Group] FROM [Keywords] GROUP BY [Group] ORDER BY SUM([Table]) DESC, "
                    "[Group]"),
              (Rows{{"1"}, {"<NULL>"}, {"2"}}));  // sums 5, 2 and 2
    EXPECT_EQ(Query("SELECT COUNT(*), COUNT([Date]), MAX([Date]), SUM([Section]) FROM [Keywords] "
                    "WHERE [Round] = 2"),
              (Rows{{"3", "3", "2025-01-04 00:00:00", "3"}}));
    // Over no rows: one row, COUNT 0 and the others NULL.
    EXPECT_EQ(Query("SELECT COUNT(*), SUM(Id), MAX(Name), AVG(Id) FROM Empty"),
              (Rows{{"0", "<NULL>", "<NULL>", "<NULL>"}}));
}

TEST_F(QueryFormsTest, DistinctTopAliasesAndOrderByNumber) {
    // Letter case does not make a row distinct; the first one met is kept.
    EXPECT_EQ(Query("SELECT DISTINCT [Name] FROM [Keywords] ORDER BY 1"),
              (Rows{{"<NULL>"}, {"Alpha"}, {"beta"}, {"zeta"}}));
    EXPECT_EQ(Query("SELECT DISTINCT [Round], [Section] FROM [Keywords]"),
              (Rows{{"2", "1"}, {"1", "1"}, {"1", "2"}}));
    EXPECT_EQ(Query("SELECT TOP 2 [Name] AS who, [Number] FROM [Keywords] ORDER BY who DESC"),
              (Rows{{"zeta", "3"}, {"beta", "2"}}));
    EXPECT_EQ(Query("SELECT TOP 50 PERCENT [Number] FROM [Keywords] ORDER BY 1 DESC"),
              (Rows{{"5"}, {"4"}, {"3"}}));
    EXPECT_EQ(Query("SELECT K.[Number] FROM [Keywords] AS K WHERE K.[Table] = 3"), (Rows{{"3"}}));
    Statement st(types_.connection);
    ASSERT_EQ(st.Exec("SELECT [Name] AS who, COUNT(*), MAX([Table]) AS [Top] FROM [Keywords] "
                      "GROUP BY [Name]"),
              SQL_SUCCESS);
    EXPECT_EQ(st.ColumnNames(), (Strings{"who", "Expr1000", "Top"}));
}

TEST_F(QueryFormsTest, LikeTakesAccessAndOdbcWildcards) {
    EXPECT_EQ(Numbers("[Name] LIKE 'b*'"), (Strings{"2", "5"}));
    EXPECT_EQ(Numbers("[Name] LIKE '%ET_'"), (Strings{"3", "2", "5"}));
    EXPECT_EQ(Numbers("[Name] LIKE '?lph?'"), (Strings{"1"}));
    EXPECT_EQ(Numbers("[Name] LIKE '[!b]*'"), (Strings{"3", "1"}));
    EXPECT_EQ(Numbers("[Name] NOT LIKE 'B%'"), (Strings{"3", "1"}));  // NULL is neither
    EXPECT_EQ(Numbers("[Number] LIKE '[2-4]'"), (Strings{"3", "2", "4"}));
    EXPECT_EQ(Numbers("[Number] LIKE '#'").size(), 5u);
    EXPECT_EQ(Numbers("[Name] LIKE 'zeta*'"), (Strings{"3"}));  // a star may match nothing
    EXPECT_EQ(Numbers("[Name] LIKE 'zet'"), Strings{});
    // A number matches as its text.
    EXPECT_EQ(Numbers("[Table] LIKE '2'"), (Strings{"2", "5"}));
}

TEST_F(QueryFormsTest, InAndBetweenInThreeValuedLogic) {
    EXPECT_EQ(Numbers("[Table] IN (1, 3)"), (Strings{"3", "1", "4"}));
    EXPECT_EQ(Numbers("[Table] NOT IN (1, 3)"), (Strings{"2", "5"}));
    EXPECT_EQ(Numbers("[Group] NOT IN (1, NULL)"), Strings{});  // unknown, never true
    EXPECT_EQ(Numbers("[Name] IN ('ALPHA', 'zeta')"), (Strings{"3", "1"}));
    EXPECT_EQ(Numbers("[Date] BETWEEN #2025-01-02# AND #1/3/2025#"), (Strings{"3", "4"}));
    EXPECT_EQ(Numbers("[Date] NOT BETWEEN #2025-01-02# AND #2025-01-03 23:59#"),
              (Strings{"1", "5"}));
    EXPECT_EQ(Numbers("[Time] = #09:00#"), (Strings{"1"}));
    EXPECT_EQ(Numbers("[Table] BETWEEN 2 AND 3 AND [Round] = 2"), (Strings{"3", "5"}));
}

TEST_F(QueryFormsTest, MisusedFormsFailWithTheirStates) {
    EXPECT_EQ(FailedState("SELECT [Name], COUNT(*) FROM [Keywords]"), "42000");
    EXPECT_EQ(FailedState("SELECT * FROM [Keywords] GROUP BY [Name]"), "42000");
    EXPECT_EQ(FailedState("SELECT SUM([Name]) FROM [Keywords]"), "22018");
    EXPECT_EQ(FailedState("SELECT [Name] FROM [Keywords] ORDER BY 2"), "42000");
    EXPECT_EQ(FailedState("SELECT * FROM [Keywords] WHERE [Date] = #2025-02-30#"), "42000");
    EXPECT_EQ(FailedState("SELECT * FROM [Keywords] WHERE [Name] LIKE 1"), "22018");
    EXPECT_EQ(FailedState("SELECT * FROM [Keywords] WHERE [Table] IN (1, 'x')"), "22018");
}
