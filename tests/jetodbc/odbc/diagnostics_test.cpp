// Every failure leaves a record with a fitting SQLSTATE and a message that
// begins with the driver's two bracketed names; nothing reaches the
// process's standard output or error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <regex>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

class DiagnosticsTest : public ::testing::Test {
  protected:
    DiagnosticsTest() : session_(FixtureDatabase("types")), statement_(session_.connection) {}

    SQLHSTMT stmt() const { return statement_.get(); }
    // The first record after a call that must fail with SQL_ERROR.
    DiagRecord Failure(SQLRETURN rc) {
        EXPECT_EQ(rc, SQL_ERROR);
        const std::vector<DiagRecord> records = statement_.Records();
        EXPECT_FALSE(records.empty());
        return records.empty() ? DiagRecord{} : records[0];
    }
    std::string FailedState(const std::string& sql) { return Failure(statement_.Exec(sql)).state; }

    Session session_;
    Statement statement_;
};

}  // namespace

TEST_F(DiagnosticsTest, MessagesBeginWithTwoBracketedNames) {
    const DiagRecord r = Failure(statement_.Exec("SELECT * FROM Missing"));
    EXPECT_TRUE(std::regex_search(r.message, std::regex(R"(^\[[^\]]+\]\[[^\]]+\][^\[])")))
        << r.message;
    EXPECT_EQ(r.message.rfind("[Vellamo][ODBC Jet Driver]", 0), 0u);
    EXPECT_NE(r.native, 0);
    SQLINTEGER count = 0;
    SQLGetDiagField(SQL_HANDLE_STMT, stmt(), 0, SQL_DIAG_NUMBER, &count, 0, nullptr);
    EXPECT_EQ(count, 1);
    char state[6] = {0};
    SQLGetDiagField(SQL_HANDLE_STMT, stmt(), 1, SQL_DIAG_SQLSTATE, state, sizeof state, nullptr);
    EXPECT_STREQ(state, "42S02");
}

TEST_F(DiagnosticsTest, StatementErrorsHaveTheirStates) {
    EXPECT_EQ(FailedState("SELECT * FROM Missing"), "42S02");
    EXPECT_EQ(FailedState("SELECT Nothing FROM Kinds"), "42S22");
    EXPECT_EQ(FailedState("SELECT * FROM Kinds ORDER BY Nothing"), "42S22");
    EXPECT_EQ(FailedState("SELECT * FROM Kinds WHERE Label = 3"), "22018");
    const DiagRecord syntax = Failure(statement_.Exec("SELECT * FROM Kinds\nHAVING Id"));
    EXPECT_EQ(syntax.state, "42000");
    EXPECT_NE(syntax.message.find("position 21"), std::string::npos) << syntax.message;
    EXPECT_NE(syntax.message.find("HAVING"), std::string::npos) << syntax.message;
    EXPECT_EQ(FailedState("UPDATE Kinds SET Id = 2"), "HY000");  // read-only
}

TEST_F(DiagnosticsTest, DataErrorsAndWarnings) {
    ASSERT_EQ(statement_.Exec("SELECT Big, Label FROM Kinds WHERE Id = 4"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    SQLSMALLINT small = 0;
    SQLLEN indicator = 0;
    EXPECT_EQ(Failure(SQLGetData(stmt(), 1, SQL_C_SSHORT, &small, 0, &indicator)).state, "22003");
    char text[2];
    EXPECT_EQ(SQLGetData(stmt(), 2, SQL_C_CHAR, text, sizeof text, &indicator),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(statement_.States(), "01004");
    EXPECT_EQ(Failure(SQLGetData(stmt(), 9, SQL_C_CHAR, text, sizeof text, &indicator)).state,
              "07009");
    SQLCHAR name[64];
    EXPECT_EQ(Failure(SQLDescribeCol(stmt(), 0, name, sizeof name, nullptr, nullptr, nullptr,
                                     nullptr, nullptr))
                  .state,
              "07009");
    SQLCloseCursor(stmt());
    ASSERT_EQ(statement_.Exec("SELECT Tiny FROM Kinds WHERE Id = 3"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    SQLINTEGER value = 0;
    EXPECT_EQ(Failure(SQLGetData(stmt(), 1, SQL_C_LONG, &value, 0, nullptr)).state, "22002");
}

TEST_F(DiagnosticsTest, AttributeAndSequenceErrors) {
    EXPECT_EQ(SQLSetStmtAttr(stmt(), SQL_ATTR_CONCURRENCY,
                             reinterpret_cast<SQLPOINTER>(SQL_CONCUR_ROWVER), 0),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(statement_.States(), "01S02");
    EXPECT_EQ(Failure(SQLSetStmtAttr(stmt(), SQL_ATTR_USE_BOOKMARKS,
                                     reinterpret_cast<SQLPOINTER>(SQL_UB_VARIABLE), 0))
                  .state,
              "HYC00");
    EXPECT_EQ(Failure(SQLCloseCursor(stmt())).state, "24000");
    EXPECT_EQ(Failure(SQLExecute(stmt())).state, "HY010");
    ASSERT_EQ(statement_.Exec("SELECT * FROM Kinds"), SQL_SUCCESS);
    EXPECT_EQ(Failure(SQLFetchScroll(stmt(), SQL_FETCH_PRIOR, 0)).state, "HY106");
}

TEST(Silence, NothingReachesStandardOutputOrError) {
    const std::string capture = ScratchDir() + "/captured.txt";
    fflush(stdout);
    fflush(stderr);
    const int saved[2] = {dup(1), dup(2)};
    const int sink = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(sink, 1);
    dup2(sink, 2);
    {
        const std::string club = ReadFile(FixtureDatabase("club"));
        std::string damaged = club;
        for (size_t i = 2 * 4096 + 63; i < 2 * 4096 + 400; ++i) damaged[i] = '\x7f';
        for (const std::string& path :
             {FixtureDatabase("club"), WriteFile("silence-damaged.bws", damaged),
              WriteFile("silence-cut.bws", club.substr(0, 3 * 4096))}) {
            Environment env;
            Connection c(env);
            if (!SQL_SUCCEEDED(c.Connect(ControllerConnectionString(path)))) continue;
            Statement st(c);
            if (SQL_SUCCEEDED(
                    SQLTables(st.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0))) {
                while (SQL_SUCCEEDED(SQLFetch(st.get()))) {
                }
            }
            SQLCloseCursor(st.get());
            if (SQL_SUCCEEDED(st.Exec("SELECT * FROM ReceivedData"))) {
                while (SQL_SUCCEEDED(SQLFetch(st.get()))) {
                }
            }
        }
    }
    fflush(stdout);
    fflush(stderr);
    dup2(saved[0], 1);
    dup2(saved[1], 2);
    close(saved[0]);
    close(saved[1]);
    close(sink);
    EXPECT_EQ(ReadFile(capture), "");
}
