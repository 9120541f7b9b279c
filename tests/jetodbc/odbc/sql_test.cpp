// The SQL the driver runs, through SQLExecDirect and SQLPrepare: the table
// reader's statement, names in every spelling, WHERE in three-valued logic
// and ORDER BY's order (stable, NULL first ascending).
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class SqlTest : public ::testing::Test {
  protected:
    SqlTest() : club_(FixtureDatabase("club")), types_(FixtureDatabase("types")) {}

    Rows Query(Session& s, const std::string& sql) {
        Statement st(s.connection);
        const SQLRETURN rc = st.Exec(sql);
        EXPECT_EQ(rc, SQL_SUCCESS) << sql << ": " << st.States();
        return SQL_SUCCEEDED(rc) ? st.Rows() : Rows();
    }
    // One column of a result.
    static std::vector<std::string> Column(const Rows& rows, size_t c) {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r[c]);
        return out;
    }

    Session club_;
    Session types_;
};

}  // namespace

TEST_F(SqlTest, TheTableReadersStatementOrdersByItsKeys) {
    const Rows rows = Query(club_,
                            "SELECT [RoundData].* FROM [RoundData] WHERE [Section] = 2 "
                            "ORDER BY [Section] ASC, [Round] ASC, [Table] ASC");
    ASSERT_EQ(rows.size(), 49u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], "2");
        EXPECT_EQ(rows[i][2], std::to_string(i / 7 + 1));  // Round
        EXPECT_EQ(rows[i][1], std::to_string(i % 7 + 1));  // Table
    }
    // Stored order is by round, section 2 first, tables counting down.
    const Rows stored = Query(club_, "SELECT [RoundData].* FROM [RoundData]");
    ASSERT_EQ(stored.size(), 98u);
    EXPECT_EQ(stored[0][0], "2");
    EXPECT_EQ(stored[0][1], "7");
}

TEST_F(SqlTest, NamesMatchWithoutLetterCaseInEverySpelling) {
    const Rows a = Query(club_, "select roundDATA.* from ROUNDDATA where SECTION = 1 and round=3");
    const Rows b = Query(club_,
                         "SELECT `Section`, [RoundData].[Table], [round] FROM [rounddata] "
                         "WHERE [RoundData].Section = 1 AND [Round] = 3;");
    ASSERT_EQ(a.size(), 7u);
    ASSERT_EQ(b.size(), 7u);
    EXPECT_EQ(b[0].size(), 3u);
    const std::vector<std::string> names = [&] {
        Statement st(club_.connection);
        st.Exec("SELECT [ns/ew], pairns FROM receiveddata");
        return st.ColumnNames();
    }();
    EXPECT_EQ(names, (std::vector<std::string>{"NS/EW", "PairNS"}));  // the file's own case
}

TEST_F(SqlTest, KeywordsServeAsBracketedNames) {
    const Rows rows = Query(types_,
                            "SELECT [Table], [Round], [Section], [Date], [Time], [Name], [Group], "
                            "[Number] FROM [Keywords] WHERE [Group] = 1 ORDER BY [Number]");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][5], "zeta");
    EXPECT_EQ(rows[0][4], "1899-12-30 08:15:00");
    EXPECT_EQ(rows[1][5], "BETA");
}

TEST_F(SqlTest, WhereFollowsThreeValuedLogic) {
    const Rows all = Query(club_, "SELECT ID, Remarks, LeadCard, Processed FROM ReceivedData");
    ASSERT_EQ(all.size(), 300u);
    auto count = [&](auto keep) {
        return static_cast<size_t>(std::count_if(all.begin(), all.end(), keep));
    };
    const size_t nullRemarks = count([](const auto& r) { return r[1] == "<NULL>"; });
    const size_t arbiter = count([](const auto& r) { return r[1] == "Arbiter called"; });
    ASSERT_GT(nullRemarks, 0u);
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Remarks IS NULL").size(),
              nullRemarks);
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Remarks IS NOT NULL").size(),
              300 - nullRemarks);
    // NULL is neither equal nor unequal to anything.
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Remarks = 'arbiter CALLED'").size(),
              arbiter);
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Remarks <> 'Arbiter called'").size(),
              300 - nullRemarks - arbiter);
    EXPECT_EQ(
        Query(club_, "SELECT ID FROM ReceivedData WHERE NOT (Remarks = 'Arbiter called')").size(),
        300 - nullRemarks - arbiter);
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE LeadCard = LeadCard").size(),
              count([](const auto& r) { return r[2] != "<NULL>"; }));
    // An empty text is a value, not NULL.
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Remarks = ''").size(),
              count([](const auto& r) { return r[1].empty(); }));
    const size_t processed = count([](const auto& r) { return r[3] == "1"; });
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Processed").size(), processed);
    EXPECT_EQ(Query(club_, "SELECT ID FROM ReceivedData WHERE Processed = TRUE").size(), processed);
    EXPECT_EQ(Query(club_,
                    "SELECT ID FROM ReceivedData WHERE ID > 10 AND ID <= 20 OR ID = 1\n"
                    "  OR (ID >= 299 AND NOT ID <> 300)")
                  .size(),
              12u);
}

TEST_F(SqlTest, OrderByIsStableWithNullFirstAscendingAndLastDescending) {
    const Rows up = Query(types_, "SELECT [Name], [Number] FROM [Keywords] ORDER BY [Name] ASC");
    EXPECT_EQ(Column(up, 0), (std::vector<std::string>{"<NULL>", "Alpha", "beta", "BETA", "zeta"}));
    const Rows down = Query(types_, "SELECT [Name] FROM [Keywords] ORDER BY [Name] DESC");
    EXPECT_EQ(Column(down, 0),
              (std::vector<std::string>{"zeta", "beta", "BETA", "Alpha", "<NULL>"}));
    // Equal keys keep the stored order (beta before BETA both ways).
    const Rows bySection = Query(types_, "SELECT [Number] FROM [Keywords] ORDER BY [Section]");
    EXPECT_EQ(Column(bySection, 0), (std::vector<std::string>{"3", "1", "2", "5", "4"}));
    const Rows twoKeys =
        Query(types_, "SELECT [Number] FROM [Keywords] ORDER BY [Group] DESC, [Date] ASC");
    EXPECT_EQ(Column(twoKeys, 0), (std::vector<std::string>{"1", "4", "3", "5", "2"}));
    const Rows wholeNumbers =
        Query(types_, "SELECT [Number] FROM [Keywords] ORDER BY [Group] DESC, [Table]");
    EXPECT_EQ(Column(wholeNumbers, 0), (std::vector<std::string>{"1", "4", "5", "3", "2"}));
    const Rows dates = Query(types_, "SELECT [Number] FROM [Keywords] ORDER BY [Date] DESC");
    EXPECT_EQ(Column(dates, 0).back(), "2");
}

TEST_F(SqlTest, PrepareDescribesBeforeExecuting) {
    Statement st(club_.connection);
    const std::string sql = "SELECT [Tables].* FROM [Tables] WHERE [Section] = 1";
    ASSERT_EQ(SQLPrepare(st.get(), (SQLCHAR*)sql.c_str(), SQL_NTS), SQL_SUCCESS) << st.States();
    SQLSMALLINT columns = 0;
    SQLNumResultCols(st.get(), &columns);
    EXPECT_EQ(columns, 8);
    ASSERT_EQ(SQLExecute(st.get()), SQL_SUCCESS) << st.States();
    EXPECT_EQ(st.Rows().size(), 7u);
    SQLCloseCursor(st.get());
    ASSERT_EQ(SQLExecute(st.get()), SQL_SUCCESS) << st.States();  // runs again
    EXPECT_EQ(st.Rows().size(), 7u);
}

TEST_F(SqlTest, EmptyTablesAndSystemTables) {
    Statement st(types_.connection);
    ASSERT_EQ(st.Exec("SELECT * FROM Empty"), SQL_SUCCESS);
    EXPECT_EQ(SQLFetch(st.get()), SQL_NO_DATA);
    const Rows objects = Query(types_, "SELECT Name FROM MSysObjects WHERE Type = 1 ORDER BY Name");
    EXPECT_EQ(Column(objects, 0),
              (std::vector<std::string>{"Empty", "Keywords", "Kinds", "MSysObjects"}));
}

TEST_F(SqlTest, StatementsOutsideTheSubsetFail) {
    Statement st(club_.connection);
    for (const std::string sql :
         {"SELECT * FROM Tables, Section", "SELECT * FROM Tables UNION SELECT * FROM Section",
          "SELECT * FROM Tables WHERE Table = 1", "SELECT Section + 1 FROM Tables",
          "SELECT * FROM Tables INNER JOIN Section ON Tables.Section = Section.ID",
          "SELECT COUNT(DISTINCT Section) FROM Tables"}) {
        EXPECT_EQ(st.Exec(sql), SQL_ERROR) << sql;
        EXPECT_EQ(st.States(), "42000") << sql;
    }
    EXPECT_EQ(st.Exec("SELECT [Section].* FROM [Tables]"), SQL_ERROR);
    EXPECT_EQ(st.States(), "42S02");
}
