// Moving values into the client: bound columns as the table reader binds
// them (full-width indicators, one-byte bits, negative shorts), text in
// Windows-1252, truncation, SQLGetData in pieces, NULL against empty text.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

constexpr SQLLEN kUntouched = static_cast<SQLLEN>(0x5a5a5a5a5a5a5a5aLL);

class DataTest : public ::testing::Test {
  protected:
    DataTest() : session_(FixtureDatabase("types")), st_(session_.connection) {}

    // Executes sql and positions on its first row.
    void First(const std::string& sql) {
        ASSERT_EQ(st_.Exec(sql), SQL_SUCCESS) << st_.States();
        ASSERT_EQ(SQLFetch(st_.get()), SQL_SUCCESS) << st_.States();
    }
    SQLHSTMT stmt() const { return st_.get(); }

    Session session_;
    Statement st_;
};

// The table reader's fixed columns.
struct Bound {
    SQLSMALLINT small = 0;
    SQLINTEGER big = 0;
    unsigned char flag[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    double amount = 0;
    SQL_TIMESTAMP_STRUCT moment{};
    char label[13] = {0};
    SQLLEN ind[6] = {kUntouched, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched};
};

void BindReaderColumns(SQLHSTMT st, Bound& b) {
    SQLBindCol(st, 1, SQL_C_SSHORT, &b.small, 2, &b.ind[0]);
    SQLBindCol(st, 2, SQL_C_LONG, &b.big, 4, &b.ind[1]);
    SQLBindCol(st, 3, SQL_C_BIT, b.flag, 0, &b.ind[2]);
    SQLBindCol(st, 4, SQL_C_DOUBLE, &b.amount, 8, &b.ind[3]);
    SQLBindCol(st, 5, SQL_C_TYPE_TIMESTAMP, &b.moment, 0, &b.ind[4]);
    SQLBindCol(st, 6, SQL_C_CHAR, b.label, sizeof b.label, &b.ind[5]);
}

}  // namespace

TEST_F(DataTest, BoundColumnsAsTheTableReaderBindsThem) {
    SQLSetStmtAttr(stmt(), SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_ROWVER),
                   0);
    SQLSetStmtAttr(stmt(), SQL_ATTR_CURSOR_TYPE,
                   reinterpret_cast<SQLPOINTER>(SQL_CURSOR_KEYSET_DRIVEN), 0);
    ASSERT_EQ(st_.Exec("SELECT Small, Big, Flag, Amount, Moment, Label FROM Kinds"), SQL_SUCCESS);
    Bound b;
    BindReaderColumns(stmt(), b);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_NEXT, 0), SQL_SUCCESS) << st_.States();
    EXPECT_EQ(b.small, -32768);
    EXPECT_EQ(b.big, INT32_MIN);
    EXPECT_EQ(b.flag[0], 1);
    EXPECT_EQ(b.flag[1], 0xEE);  // one byte, no more
    EXPECT_DOUBLE_EQ(b.amount, -0.25);
    EXPECT_EQ(b.moment.year, 2024);
    EXPECT_EQ(b.moment.month, 2);
    EXPECT_EQ(b.moment.day, 29);
    EXPECT_EQ(b.moment.second, 59);
    EXPECT_STREQ(b.label, "Caf\xe9 \xd8st");
    EXPECT_EQ(b.ind[0], 2);
    EXPECT_EQ(b.ind[1], 4);
    EXPECT_EQ(b.ind[2], 1);
    EXPECT_EQ(b.ind[4], static_cast<SQLLEN>(sizeof(SQL_TIMESTAMP_STRUCT)));
    EXPECT_EQ(b.ind[5], 8);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_NEXT, 0), SQL_SUCCESS);
    EXPECT_EQ(b.small, 32767);
    EXPECT_EQ(b.flag[0], 0);
    EXPECT_EQ(b.ind[5], 0);  // an empty text is not NULL
    EXPECT_STREQ(b.label, "");
    EXPECT_EQ(b.moment.year, 100);
    ASSERT_EQ(SQLFetchScroll(stmt(), SQL_FETCH_NEXT, 0), SQL_SUCCESS);
    for (int i : {0, 1, 3, 4, 5}) EXPECT_EQ(b.ind[i], SQL_NULL_DATA) << i;  // all 64 bits
    EXPECT_EQ(b.ind[2], 1);                                                 // Yes/No is never NULL
}

TEST_F(DataTest, UnbindingOneColumnKeepsTheOthersWorking) {
    ASSERT_EQ(st_.Exec("SELECT Small, Big, Flag, Amount, Moment, Label FROM Kinds"), SQL_SUCCESS);
    Bound b;
    BindReaderColumns(stmt(), b);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(SQLBindCol(stmt(), 6, SQL_C_CHAR, nullptr, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(b.small, 32767);
    EXPECT_STREQ(b.label, "Caf\xe9 \xd8st");  // no longer written
    char label[20];
    SQLLEN indicator = 0;
    ASSERT_EQ(SQLGetData(stmt(), 6, SQL_C_CHAR, label, sizeof label, &indicator), SQL_SUCCESS);
    EXPECT_EQ(indicator, 0);
    SQLFreeStmt(stmt(), SQL_UNBIND);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_EQ(b.small, 32767);
}

// The table reader binds its text buffers before each fetch and unbinds them
// after: each rebind takes the new buffer, and a changed type is checked again.
TEST_F(DataTest, ColumnReboundBeforeEachFetchFillsItsNewBuffer) {
    ASSERT_EQ(st_.Exec("SELECT Label FROM Kinds"), SQL_SUCCESS);
    char first[13] = "untouched", second[13] = "untouched";
    SQLLEN indicator = kUntouched;
    ASSERT_EQ(SQLBindCol(stmt(), 1, SQL_C_CHAR, first, sizeof first, &indicator), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    ASSERT_EQ(SQLBindCol(stmt(), 1, SQL_C_CHAR, nullptr, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(SQLBindCol(stmt(), 1, SQL_C_CHAR, second, sizeof second, &indicator), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(stmt()), SQL_SUCCESS);
    EXPECT_STREQ(first, "Caf\xe9 \xd8st");
    EXPECT_STREQ(second, "");
    EXPECT_EQ(indicator, 0);
    ASSERT_EQ(SQLBindCol(stmt(), 1, SQL_C_CHAR, nullptr, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(SQLBindCol(stmt(), 1, 9999, second, sizeof second, &indicator), SQL_ERROR);
    EXPECT_EQ(st_.States(), "HY003");
    EXPECT_EQ(SQLBindCol(stmt(), 1, SQL_C_CHAR, second, -1, &indicator), SQL_ERROR);
    EXPECT_EQ(st_.States(), "HY090");
}

TEST_F(DataTest, TruncatedBoundTextWarnsWithTheWholeLength) {
    ASSERT_EQ(st_.Exec("SELECT Label FROM Kinds WHERE Id = 5"), SQL_SUCCESS);
    char label[6];
    SQLLEN indicator = 0;
    SQLBindCol(stmt(), 1, SQL_C_CHAR, label, sizeof label, &indicator);
    EXPECT_EQ(SQLFetch(stmt()), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(st_.States(), "01004");
    EXPECT_EQ(indicator, 12);
    EXPECT_STREQ(label, "twelv");
}

TEST_F(DataTest, GetDataInPiecesAsTheTextReaderDoes) {
    First("SELECT Notes FROM Kinds WHERE Id = 4");
    // First piece of 255 characters, then what is outstanding.
    std::string text(256, '\0');
    SQLLEN indicator = 0;
    ASSERT_EQ(SQLGetData(stmt(), 1, SQL_C_CHAR, text.data(), 256, &indicator),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(indicator, 300);
    text.resize(255);
    std::string rest(46, '\0');
    ASSERT_EQ(SQLGetData(stmt(), 1, SQL_C_CHAR, rest.data(), 46, &indicator), SQL_SUCCESS);
    EXPECT_EQ(indicator, 45);
    text += rest.c_str();
    std::string expected;
    for (int i = 0; i < 30; ++i) expected += "0123456789";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(SQLGetData(stmt(), 1, SQL_C_CHAR, rest.data(), 46, &indicator), SQL_NO_DATA);
}

TEST_F(DataTest, LongMemoOverSeveralPagesAndAsBinary) {
    First("SELECT Notes, Id FROM Kinds WHERE Id = 5");
    std::string whole;
    char piece[1000];
    SQLLEN indicator = 0;
    SQLRETURN rc;
    while ((rc = SQLGetData(stmt(), 1, SQL_C_CHAR, piece, sizeof piece, &indicator)) !=
           SQL_NO_DATA) {
        ASSERT_TRUE(SQL_SUCCEEDED(rc)) << st_.States();
        whole += piece;
    }
    EXPECT_EQ(whole.size(), 10000u);
    EXPECT_EQ(whole.substr(0, 20), "long memo long memo ");
    // Columns may be read in any order, and again as binary.
    SQLINTEGER id = 0;
    EXPECT_EQ(SQLGetData(stmt(), 2, SQL_C_LONG, &id, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(id, 5);
    unsigned char bytes[4];
    ASSERT_EQ(SQLGetData(stmt(), 1, SQL_C_BINARY, bytes, sizeof bytes, &indicator),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(indicator, 10000);
    EXPECT_EQ(std::memcmp(bytes, "long", 4), 0);
}

TEST_F(DataTest, TextInWindows1252AndBeyondIt) {
    // The euro sign: byte 0x80 for an ANSI client, U+20AC wide, whichever
    // way the file stores it (a Windows-1252 byte in Jet 3, UTF-16 in Jet 4).
    First("SELECT Label FROM Kinds WHERE Id = 4");
    char label[16];
    SQLLEN indicator = 0;
    SQLGetData(stmt(), 1, SQL_C_CHAR, label, sizeof label, &indicator);
    EXPECT_STREQ(label, "x\x80");
    EXPECT_EQ(indicator, 2);
    SQLCloseCursor(stmt());
    First("SELECT Label FROM Kinds WHERE Id = 4");
    SQLWCHAR wide[8];
    SQLGetData(stmt(), 1, SQL_C_WCHAR, wide, sizeof wide, &indicator);
    EXPECT_EQ(indicator, 4);
    EXPECT_EQ(wide[1], 0x20AC);

    // A character Windows-1252 lacks (only a Jet 4 file can hold one) is '?'
    // for an ANSI client and itself wide.
    Session jet4(MakeDatabase("beyond-1252.bws",
                              "database created=2024-02-29\ntable T\ncolumn Label Text(4)\n"
                              "row \"\\u{4E00}x\\u{20AC}\"\n",
                              "jet4"));
    Statement st(jet4.connection);
    ASSERT_EQ(st.Exec("SELECT Label FROM T"), SQL_SUCCESS) << st.States();
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS);
    SQLGetData(st.get(), 1, SQL_C_CHAR, label, sizeof label, &indicator);
    EXPECT_STREQ(label, "?x\x80");
    EXPECT_EQ(indicator, 3);
    SQLCloseCursor(st.get());
    ASSERT_EQ(st.Exec("SELECT Label FROM T"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS);
    SQLGetData(st.get(), 1, SQL_C_WCHAR, wide, sizeof wide, &indicator);
    EXPECT_EQ(indicator, 6);
    EXPECT_EQ(wide[0], 0x4E00);
    EXPECT_EQ(wide[2], 0x20AC);
}

TEST_F(DataTest, ConversionsBetweenTypes) {
    First("SELECT Big, Money, Moment, Flag, Ratio, Tiny FROM Kinds WHERE Id = 4");
    SQLSMALLINT small = 0;
    SQLLEN indicator = 0;
    EXPECT_EQ(SQLGetData(stmt(), 1, SQL_C_SSHORT, &small, 0, &indicator), SQL_ERROR);
    EXPECT_EQ(st_.States(), "22003");  // 100000 does not fit
    char text[32];
    // A failed conversion delivered nothing: the column can be read again.
    ASSERT_EQ(SQLGetData(stmt(), 1, SQL_C_CHAR, text, sizeof text, &indicator), SQL_SUCCESS);
    EXPECT_STREQ(text, "100000");
    // Once delivered, a value has no more data.
    EXPECT_EQ(SQLGetData(stmt(), 1, SQL_C_CHAR, text, sizeof text, &indicator), SQL_NO_DATA);
    double money = 0;
    SQLGetData(stmt(), 2, SQL_C_DOUBLE, &money, 0, &indicator);
    EXPECT_DOUBLE_EQ(money, 0.0001);
    SQL_TIMESTAMP_STRUCT ts{};
    SQLGetData(stmt(), 3, SQL_C_TYPE_TIMESTAMP, &ts, 0, &indicator);
    EXPECT_EQ(ts.year, 1899);  // a time-only value
    EXPECT_EQ(ts.month, 12);
    EXPECT_EQ(ts.day, 30);
    EXPECT_EQ(ts.hour, 19);
    SQLGetData(stmt(), 2, SQL_C_CHAR, text, sizeof text, &indicator);
    EXPECT_STREQ(text, "0.0001");
    SQLGetData(stmt(), 3, SQL_C_CHAR, text, sizeof text, &indicator);
    EXPECT_STREQ(text, "1899-12-30 19:30:00");
    SQLINTEGER flag = 9;
    SQLGetData(stmt(), 4, SQL_C_SLONG, &flag, 0, &indicator);
    EXPECT_EQ(flag, 1);
    SQLSMALLINT ratio = 9;
    EXPECT_EQ(SQLGetData(stmt(), 5, SQL_C_SHORT, &ratio, 0, &indicator), SQL_SUCCESS);
    EXPECT_EQ(ratio, 0);
    unsigned char tiny = 0;
    SQLGetData(stmt(), 6, SQL_C_UTINYINT, &tiny, 0, &indicator);
    EXPECT_EQ(tiny, 7);
    EXPECT_EQ(SQLGetData(stmt(), 3, SQL_C_LONG, &flag, 0, &indicator), SQL_ERROR);
    EXPECT_EQ(st_.States(), "07006");
}
