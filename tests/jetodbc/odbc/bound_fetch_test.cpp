// A bound fetch against SQLGetData of the same column and C type, which
// decodes the value and converts it the general way: for every column of the
// types fixture, every C type a client may bind, text buffers with and
// without room, a maximum length, and with and without an indicator, each
// row of a row-wise rowset must get the same bytes, indicator, row status and
// SQLSTATE as SQLGetData gives on that row.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

constexpr SQLULEN kRows = 5;  // the rows of Kinds
constexpr SQLUSMALLINT kColumns = 11;
constexpr unsigned char kFill = 0xA5;

// One row's bound value, row-wise.
struct Slot {
    unsigned char value[48];
    SQLLEN indicator;
};

bool IsVariable(SQLSMALLINT c) { return c == SQL_C_CHAR || c == SQL_C_WCHAR || c == SQL_C_BINARY; }

// The SQLSTATE of each row's first record (row number from 1).
std::map<SQLLEN, std::string> StatesByRow(SQLHSTMT st) {
    std::map<SQLLEN, std::string> states;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR state[6] = {0};
        SQLINTEGER native = 0;
        SQLCHAR text[256];
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRec(SQL_HANDLE_STMT, st, i, state, &native, text, sizeof text,
                                         &length))) {
            break;
        }
        SQLLEN row = 0;
        SQLGetDiagField(SQL_HANDLE_STMT, st, i, SQL_DIAG_ROW_NUMBER, &row, 0, nullptr);
        states.emplace(row, reinterpret_cast<char*>(state));
    }
    return states;
}

std::string StateOf(SQLHSTMT st) {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRec(SQL_HANDLE_STMT, st, 1, state, &native, nullptr, 0, &length);
    return reinterpret_cast<char*>(state);
}

SQLUSMALLINT StatusFor(SQLRETURN rc) {
    if (rc == SQL_SUCCESS) return SQL_ROW_SUCCESS;
    if (rc == SQL_SUCCESS_WITH_INFO) return SQL_ROW_SUCCESS_WITH_INFO;
    return SQL_ROW_ERROR;
}

}  // namespace

TEST(BoundFetchTest, EveryColumnAndCTypeGivesWhatSQLGetDataGives) {
    const SQLSMALLINT cTypes[] = {
        SQL_C_CHAR,     SQL_C_WCHAR,          SQL_C_BINARY,    SQL_C_BIT,       SQL_C_STINYINT,
        SQL_C_UTINYINT, SQL_C_SSHORT,         SQL_C_USHORT,    SQL_C_SLONG,     SQL_C_ULONG,
        SQL_C_SBIGINT,  SQL_C_UBIGINT,        SQL_C_FLOAT,     SQL_C_DOUBLE,    SQL_C_TIMESTAMP,
        SQL_C_DATE,     SQL_C_TYPE_TIMESTAMP, SQL_C_TYPE_DATE, SQL_C_TYPE_TIME, SQL_C_GUID,
        SQL_C_DEFAULT};
    struct Buffer {
        SQLLEN length;
        SQLULEN maxLength;
    };
    const Buffer roomy{sizeof(Slot::value), 0}, tight{5, 0}, capped{sizeof(Slot::value), 3};
    Session session(FixtureDatabase("types"));
    for (SQLUSMALLINT column = 1; column <= kColumns; ++column) {
        for (SQLSMALLINT cType : cTypes) {
            std::vector<Buffer> buffers{roomy};
            if (IsVariable(cType) || cType == SQL_C_DEFAULT) {
                buffers.push_back(tight);
                buffers.push_back(capped);
            }
            for (const Buffer& buffer : buffers) {
                for (bool withIndicator : {true, false}) {
                    SCOPED_TRACE(
                        "column " + std::to_string(column) + ", C type " + std::to_string(cType) +
                        ", length " + std::to_string(buffer.length) + ", max length " +
                        std::to_string(buffer.maxLength) + (withIndicator ? "" : ", no indicator"));
                    Statement st(session.connection);
                    SQLUSMALLINT status[kRows];
                    SQLSetStmtAttr(st.get(), SQL_ATTR_CURSOR_TYPE,
                                   reinterpret_cast<SQLPOINTER>(SQL_CURSOR_STATIC), 0);
                    SQLSetStmtAttr(st.get(), SQL_ATTR_ROW_BIND_TYPE,
                                   reinterpret_cast<SQLPOINTER>(sizeof(Slot)), 0);
                    SQLSetStmtAttr(st.get(), SQL_ATTR_ROW_ARRAY_SIZE,
                                   reinterpret_cast<SQLPOINTER>(kRows), 0);
                    SQLSetStmtAttr(st.get(), SQL_ATTR_ROW_STATUS_PTR, status, 0);
                    SQLSetStmtAttr(st.get(), SQL_ATTR_MAX_LENGTH,
                                   reinterpret_cast<SQLPOINTER>(buffer.maxLength), 0);
                    ASSERT_EQ(st.Exec("SELECT * FROM Kinds"), SQL_SUCCESS) << st.States();
                    Slot bound[kRows];
                    std::memset(bound, kFill, sizeof bound);
                    ASSERT_EQ(SQLBindCol(st.get(), column, cType, bound[0].value, buffer.length,
                                         withIndicator ? &bound[0].indicator : nullptr),
                              SQL_SUCCESS);
                    const SQLRETURN fetched = SQLFetch(st.get());
                    ASSERT_TRUE(SQL_SUCCEEDED(fetched) || fetched == SQL_ERROR) << fetched;
                    const std::map<SQLLEN, std::string> states = StatesByRow(st.get());
                    for (SQLULEN row = 1; row <= kRows; ++row) {
                        SCOPED_TRACE("row " + std::to_string(row));
                        ASSERT_EQ(SQLSetPos(st.get(), row, SQL_POSITION, SQL_LOCK_NO_CHANGE),
                                  SQL_SUCCESS)
                            << st.States();
                        Slot read;
                        std::memset(&read, kFill, sizeof read);
                        const SQLRETURN rc =
                            SQLGetData(st.get(), column, cType, read.value, buffer.length,
                                       withIndicator ? &read.indicator : nullptr);
                        const std::string state = rc == SQL_SUCCESS ? "" : StateOf(st.get());
                        EXPECT_EQ(status[row - 1], StatusFor(rc)) << state;
                        const auto found = states.find(static_cast<SQLLEN>(row));
                        EXPECT_EQ(found == states.end() ? "" : found->second, state);
                        EXPECT_EQ(std::memcmp(bound[row - 1].value, read.value, sizeof read.value),
                                  0);
                        EXPECT_EQ(bound[row - 1].indicator, read.indicator);
                    }
                }
            }
        }
    }
}

// A buffer unbound and bound again between fetches, the way the controller
// binds its text columns, must follow the column of the result it is bound
// in, even when a fetch with nothing bound came first in that result.
TEST(BoundFetchTest, ABufferBoundAgainInANewResultFollowsItsColumn) {
    Session session(FixtureDatabase("types"));
    Statement st(session.connection);
    char text[64];
    SQLLEN indicator = 0;
    ASSERT_EQ(st.Exec("SELECT Label FROM Kinds"), SQL_SUCCESS) << st.States();
    ASSERT_EQ(SQLBindCol(st.get(), 1, SQL_C_CHAR, text, sizeof text, &indicator), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS) << st.States();
    EXPECT_STREQ(text, "Caf\xE9 \xD8st");
    ASSERT_EQ(SQLBindCol(st.get(), 1, SQL_C_CHAR, nullptr, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(SQLCloseCursor(st.get()), SQL_SUCCESS);

    ASSERT_EQ(st.Exec("SELECT Small FROM Kinds"), SQL_SUCCESS) << st.States();
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS) << st.States();  // nothing bound
    ASSERT_EQ(SQLBindCol(st.get(), 1, SQL_C_CHAR, text, sizeof text, &indicator), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS) << st.States();
    EXPECT_STREQ(text, "32767");
    EXPECT_EQ(indicator, 5);
}

// A row whose column count claims more null-mask bytes than the row holds
// cannot be split: every bound column of it gets the error that SQLGetData
// gives for that column, located at its row and column.
TEST(BoundFetchTest, ARowThatCannotBeSplitFailsEveryBoundColumn) {
    const std::string made =
        ReadFile(MakeDatabase("unsplit.bws",
                              "database created=2026-01-15\ntable T\ncolumn Id Long\n"
                              "column Name Text(10)\nrow 7, \"seven\"\n"));
    const bool jet3 = made[0x14] == 0;
    const size_t pageSize = jet3 ? 2048 : 4096;
    const size_t rowCountAt = jet3 ? 8 : 12;
    // T's definition is the file's last definition page; its rows are on
    // the data page that names that page as its owner.
    auto owner = [&](size_t page) {
        uint32_t v = 0;
        for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<uint8_t>(made[page + 4 + k]);
        return v;
    };
    size_t definition = 0;
    for (size_t page = pageSize; page + pageSize <= made.size(); page += pageSize) {
        if (made[page] == 0x02) definition = page / pageSize;
    }
    size_t dataPage = 0;
    for (size_t page = pageSize; page + pageSize <= made.size(); page += pageSize) {
        if (made[page] == 0x01 && owner(page) == definition) dataPage = page;
    }
    ASSERT_NE(dataPage, 0u);
    const size_t entry = dataPage + rowCountAt + 2;  // the offset of the page's first row
    const size_t row =
        dataPage +
        ((static_cast<uint8_t>(made[entry]) | static_cast<uint8_t>(made[entry + 1]) << 8) & 0x1fff);
    std::string damaged = made;
    damaged[row] = static_cast<char>(0xff);  // the column count (its low byte in Jet 4)
    ASSERT_NE(damaged, made);
    Session session(WriteFile("unsplit-damaged.bws", damaged));

    Statement reading(session.connection);
    ASSERT_EQ(reading.Exec("SELECT Id, Name FROM T"), SQL_SUCCESS) << reading.States();
    ASSERT_EQ(SQLFetch(reading.get()), SQL_SUCCESS) << reading.States();  // nothing bound
    SQLINTEGER id = 0;
    SQLLEN length = 0;
    ASSERT_EQ(SQLGetData(reading.get(), 1, SQL_C_SLONG, &id, 0, &length), SQL_ERROR);
    const std::vector<DiagRecord> expected = Diagnostics(SQL_HANDLE_STMT, reading.get());
    ASSERT_EQ(expected.size(), 1u);

    Statement bound(session.connection);
    ASSERT_EQ(bound.Exec("SELECT Id, Name FROM T"), SQL_SUCCESS) << bound.States();
    char name[16];
    SQLLEN idIndicator = 0, nameIndicator = 0;
    ASSERT_EQ(SQLBindCol(bound.get(), 1, SQL_C_SLONG, &id, 0, &idIndicator), SQL_SUCCESS);
    ASSERT_EQ(SQLBindCol(bound.get(), 2, SQL_C_CHAR, name, sizeof name, &nameIndicator),
              SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(bound.get()), SQL_ERROR);
    const std::vector<DiagRecord> records = Diagnostics(SQL_HANDLE_STMT, bound.get());
    ASSERT_EQ(records.size(), 2u);
    for (SQLSMALLINT i = 1; i <= 2; ++i) {
        EXPECT_EQ(records[i - 1].state, expected[0].state);
        EXPECT_EQ(records[i - 1].message, expected[0].message);
        SQLLEN row = 0;
        SQLINTEGER column = 0;
        SQLGetDiagField(SQL_HANDLE_STMT, bound.get(), i, SQL_DIAG_ROW_NUMBER, &row, 0, nullptr);
        SQLGetDiagField(SQL_HANDLE_STMT, bound.get(), i, SQL_DIAG_COLUMN_NUMBER, &column, 0,
                        nullptr);
        EXPECT_EQ(row, 1);
        EXPECT_EQ(column, i);
    }
}
