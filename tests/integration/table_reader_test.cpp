// The typed table reader, the statement and the connection, through the
// driver manager and the Jet driver on files written for each test.
#include <gtest/gtest.h>

#include "db/connection.h"
#include "db/odbc_statement.h"
#include "platform/ole_date_time.h"
#include "schema/movement_records.h"
#include "schema/result_records.h"
#include "schema/session_record.h"
#include "tests/integration/integration_env.h"

namespace {

using jetwriter::ColumnType;
using jetwriter::Value;

class TableReaderTest : public ::testing::Test {
  protected:
    // A Session table and a RoundData table of layout A, with the given rows.
    void WriteFile(const std::vector<std::map<std::string, Value>>& roundRows,
                   const std::vector<std::map<std::string, Value>>& sessionRows = {}) {
        BwsFixture fixture;
        fixture.database.created = 46000;
        BC_RecRoundDataA rounds;
        BC_RecSession session;
        for (const BWSbase* record :
             {static_cast<const BWSbase*>(&rounds), static_cast<const BWSbase*>(&session)}) {
            jetwriter::Table& table = fixture.Table(record->tableName.GetString());
            for (const auto& entry : record->columns) {
                const auto& column = entry.second;
                switch (column.kind) {
                    case BWSbase::Integer:
                        table.columns.push_back(jetwriter::MakeColumn(
                            column.name,
                            column.size == 2 ? ColumnType::kInteger : ColumnType::kLongInteger));
                        break;
                    case BWSbase::Text:
                        table.columns.push_back(
                            jetwriter::MakeTextColumn(column.name, column.size));
                        break;
                    case BWSbase::Boolean:
                        table.columns.push_back(
                            jetwriter::MakeColumn(column.name, ColumnType::kYesNo));
                        break;
                    default:
                        table.columns.push_back(
                            jetwriter::MakeColumn(column.name, ColumnType::kDateTime));
                }
            }
        }
        for (const auto& row : roundRows) fixture.AddRow("RoundData", row);
        for (const auto& row : sessionRows) fixture.AddRow("Session", row);
        fixture_ = fixture;
        WriteAndUse(fixture, folder_.Path("reader.bws"));
    }

    TemporaryFolder folder_;
    BwsFixture fixture_;
};

TEST_F(TableReaderTest, EmptyTableOpensAtItsEndWithMembersReset) {
    WriteFile({});
    BC_RecRoundDataA record;
    record.Section = 7;
    record.CustomBoards = "left over";
    ASSERT_TRUE(record.Open());
    EXPECT_TRUE(record.eof);
    EXPECT_EQ(record.Section, 0);
    EXPECT_TRUE(record.CustomBoards.IsEmpty());
    EXPECT_EQ(record.resultColumns.size(), 8u);
    record.Close();
}

TEST_F(TableReaderTest, RowsArriveInTheRequestedOrderAndNullsBecomeZero) {
    WriteFile({{{"Section", Value::Integer(2)},
                {"Round", Value::Integer(1)},
                {"Table", Value::Integer(1)},
                {"NSPair", Value::Integer(-32768)},
                {"CustomBoards", Value::Text("x")}},
               {{"Section", Value::Integer(1)},
                {"Round", Value::Integer(2)},
                {"Table", Value::Integer(3)},
                {"NSPair", Value::Integer(32767)}},
               {{"Section", Value::Integer(1)},
                {"Round", Value::Integer(1)},
                {"Table", Value::Integer(9)}}});
    BC_RecRoundDataA record;
    record.orderBy = "[Section] ASC, [Round] ASC, [Table] ASC";
    ASSERT_TRUE(record.Open());
    EXPECT_STREQ(record.sqlText.GetString(),
                 "SELECT [RoundData].* FROM [RoundData] ORDER BY [Section] ASC, [Round] ASC, "
                 "[Table] ASC");
    std::vector<std::tuple<int, int, int, int, std::string>> rows;
    for (; !record.eof; record.MoveNext()) {
        rows.emplace_back(record.Section, record.Round, record.Table, record.NSPair,
                          record.CustomBoards.GetString());
    }
    record.Close();
    const std::vector<std::tuple<int, int, int, int, std::string>> expected = {
        {1, 1, 9, 0, ""}, {1, 2, 3, 32767, ""}, {2, 1, 1, -32768, "x"}};
    EXPECT_EQ(rows, expected);
}

TEST_F(TableReaderTest, WhereSelectsRows) {
    WriteFile({{{"Section", Value::Integer(1)}}, {{"Section", Value::Integer(2)}}});
    BC_RecRoundDataA record;
    record.where = "[Section] = 2";
    ASSERT_TRUE(record.Open());
    ASSERT_FALSE(record.eof);
    EXPECT_EQ(record.Section, 2);
    record.MoveNext();
    EXPECT_TRUE(record.eof);
}

TEST_F(TableReaderTest, TextOfExactlyItsWidthAndOneLongerAreReadWhole) {
    const std::string full(255, 'w');
    WriteFile({{{"CustomBoards", Value::Text(full)}}});
    // The record declares a narrower column than the file holds.
    class NarrowRound : public BWSbase {
      public:
        NarrowRound() {
            AddTextColumn("CustomBoards", &boards, 254);
            SetTable("RoundData");
        }
        CString boards;
    } narrow;
    ASSERT_TRUE(narrow.Open());
    EXPECT_EQ(std::string(narrow.boards.GetString()), full);

    BC_RecRoundDataA exact;
    ASSERT_TRUE(exact.Open());
    EXPECT_EQ(exact.CustomBoards.GetLength(), 255);
}

TEST_F(TableReaderTest, UndeclaredResultColumnsAreIgnoredAndMissingTextFails) {
    WriteFile({{{"Section", Value::Integer(4)}, {"HighBoard", Value::Integer(6)}}});
    class OnlySection : public BWSbase {
      public:
        OnlySection() {
            AddShortColumn("SECTION", &section);
            AddShortColumn("section", &ignored);  // same name: the first declaration stays
            SetTable("RoundData");
        }
        short section = 0;
        short ignored = 0;
    } onlySection;
    ASSERT_TRUE(onlySection.Open());
    EXPECT_EQ(onlySection.section, 4);
    EXPECT_EQ(onlySection.ignored, 0);
    EXPECT_EQ(onlySection.ColumnCount(), 1);

    class WithMissingText : public BWSbase {
      public:
        WithMissingText() {
            AddTextColumn("Nowhere", &text, 10);
            SetTable("RoundData");
        }
        CString text;
    } missing;
    EXPECT_FALSE(missing.Open());
    EXPECT_TRUE(missing.eof);
    missing.Close();
}

TEST_F(TableReaderTest, FullSqlOverridesTheParts) {
    WriteFile({{{"Section", Value::Integer(1)}}, {{"Section", Value::Integer(5)}}});
    BC_RecRoundDataA record;
    record.where = "[Section] = 1";
    record.orderBy = "[Nowhere]";
    record.fullSql = "SELECT * FROM [RoundData] WHERE [Section] = 5";
    ASSERT_TRUE(record.Open());
    EXPECT_EQ(record.Section, 5);
}

TEST_F(TableReaderTest, DatesAndBoolsAreConvertedAndNullDateIsZero) {
    WriteFile({}, {{{"ID", Value::Integer(1)},
                    {"Name", Value::Text("Evening")},
                    {"Date", Value::DateTime(46000.0)},
                    {"Time", Value::DateTime(0.75)},
                    {"ShowInApp", Value::Boolean(true)}},
                   {{"ID", Value::Integer(2)}}});
    BC_RecSession session;
    session.orderBy = "[ID]";
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(std::string(session.Name.GetString()), "Evening");
    EXPECT_DOUBLE_EQ(session.Date.m_dt, 46000.0);
    EXPECT_EQ(session.Date.GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ(session.Time.m_dt, 0.75);
    EXPECT_EQ(session.ShowInApp, 1);
    session.MoveNext();
    ASSERT_FALSE(session.eof);
    EXPECT_EQ(session.ID, 2);
    EXPECT_DOUBLE_EQ(session.Date.m_dt, 0.0);
    EXPECT_EQ(session.Date.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(session.ShowInApp, 0);
    EXPECT_TRUE(session.Name.IsEmpty());
}

TEST_F(TableReaderTest, ColumnsInAnotherOrderStillFillTheirMembers) {
    BwsFixture fixture;
    jetwriter::Table& table = fixture.Table("Section");
    table.columns = {jetwriter::MakeColumn("ScoringType", ColumnType::kInteger),
                     jetwriter::MakeColumn("Tables", ColumnType::kInteger),
                     jetwriter::MakeTextColumn("Letter", 3),
                     jetwriter::MakeColumn("EWMoveBeforePlay", ColumnType::kLongInteger),
                     jetwriter::MakeColumn("MissingPair", ColumnType::kInteger),
                     jetwriter::MakeColumn("Session", ColumnType::kInteger),
                     jetwriter::MakeColumn("ID", ColumnType::kInteger)};
    fixture.AddRow("Section", {{"ID", Value::Integer(3)},
                               {"Letter", Value::Text("C")},
                               {"Tables", Value::Integer(8)},
                               {"ScoringType", Value::Integer(4)},
                               {"EWMoveBeforePlay", Value::Integer(100000)}});
    WriteAndUse(fixture, folder_.Path("section.bws"));
    BC_RecSectionD record;
    ASSERT_TRUE(record.Open());
    EXPECT_EQ(record.ID, 3);
    EXPECT_EQ(std::string(record.Letter.GetString()), "C");
    EXPECT_EQ(record.Tables, 8);
    EXPECT_EQ(record.ScoringType, 4);
    EXPECT_EQ(record.EWMoveBeforePlay, 100000);
}

TEST_F(TableReaderTest, StatementReadsTextAndIntegersInPieces) {
    WriteFile(
        {{{"Section", Value::Integer(12)}, {"CustomBoards", Value::Text(std::string(255, 'q'))}},
         {{"Section", Value::Integer(13)}}});
    ODBCStatement statement(GetConnection(), ODBCStatement::ForwardOnly);
    ASSERT_TRUE(statement.IsValid());
    ASSERT_TRUE(
        statement.Query("SELECT [Section], [CustomBoards] FROM [RoundData] ORDER BY [Section]"));
    EXPECT_EQ(statement.GetColumnCount(), 2);
    EXPECT_EQ(statement.GetColumnByName("customboards"), 2);
    EXPECT_EQ(statement.GetColumnByName("Nowhere"), 0);
    EXPECT_EQ(statement.GetColumnType(1), SQL_SMALLINT);
    bool eof = true;
    ASSERT_TRUE(statement.Fetch(&eof));
    ASSERT_FALSE(eof);
    int section = 0;
    bool isNull = true;
    ASSERT_TRUE(statement.GetInt(1, &section, &isNull));
    EXPECT_EQ(section, 12);
    EXPECT_FALSE(isNull);
    CString text;
    ASSERT_TRUE(statement.GetString(2, text, 10));  // 255 characters in pieces of 10
    EXPECT_EQ(text.GetLength(), 255);
    ASSERT_TRUE(statement.FetchNext(&eof));
    ASSERT_FALSE(eof);
    ASSERT_TRUE(statement.GetString(2, text, 0));
    EXPECT_TRUE(text.IsEmpty());  // NULL
    ASSERT_TRUE(statement.Fetch(&eof));
    EXPECT_TRUE(eof);
}

TEST_F(TableReaderTest, StatementWithoutHandleRefusesEverything) {
    ODBCStatement none;
    bool eof = false;
    EXPECT_FALSE(none.IsValid());
    EXPECT_FALSE(none.Query("SELECT 1"));
    EXPECT_FALSE(none.Fetch(&eof));
    EXPECT_EQ(none.GetColumnCount(), 0);
    EXPECT_EQ(none.ColumnNullable(1), 0);
    CString text;
    EXPECT_FALSE(none.GetString(1, text, 0));
}

TEST_F(TableReaderTest, OneThreadConnectsOnce) {
    WriteFile({});
    SQLHDBC first = GetConnection();
    ASSERT_NE(first, static_cast<SQLHDBC>(SQL_NULL_HDBC));
    EXPECT_EQ(GetConnection(), first);
    CloseAllConnections();
    CloseAllConnections();  // nothing left: only takes the mutex
}

TEST_F(TableReaderTest, MissingFileGivesNoConnectionAndPrintsTheDriversRecords) {
    UseDatabase(folder_.Path("absent.bws"));
    testing::internal::CaptureStdout();
    SQLHDBC connection = GetConnection();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(connection, static_cast<SQLHDBC>(SQL_NULL_HDBC));
    EXPECT_EQ(printed.rfind("[INFO] State:", 0), 0u) << printed;
    EXPECT_NE(printed.find("\n\tCode:"), std::string::npos);
    EXPECT_NE(printed.find("\n\tMsg:"), std::string::npos);
}

}  // namespace

namespace {

TEST(ConnectionPathTest, PathsWithSeparatorsAndBracesOpenThatFileOnly) {
    TemporaryFolder folder;
    // A decoy that an unbraced string would name ("DBQ=<folder>/a").
    BwsFixture decoy;
    decoy.database.created = 46000;
    decoy.Table("Decoy").columns.push_back(
        jetwriter::MakeColumn("X", jetwriter::ColumnType::kInteger));
    ASSERT_EQ(decoy.Write(folder.Path("a")), "");

    BwsFixture wanted;
    wanted.database.created = 46000;
    wanted.Table("Wanted").columns.push_back(
        jetwriter::MakeColumn("Y", jetwriter::ColumnType::kInteger));
    for (const char* name : {"a;b.bws", "a{b}.bws", "a}}; DRIVER={x}.bws"}) {
        WriteAndUse(wanted, folder.Path(name));
        ODBCStatement statement(GetConnection(), ODBCStatement::ForwardOnly);
        ASSERT_TRUE(statement.IsValid()) << name;
        ASSERT_TRUE(statement.Query("SELECT * FROM [Wanted]")) << name;
        EXPECT_EQ(statement.GetColumnByName("Y"), 1) << name;
    }
    CloseAllConnections();
}

}  // namespace

namespace {

TEST_F(TableReaderTest, StatementMethodsTheRunDoesNotCallStillWork) {
    WriteFile({{{"Section", Value::Integer(1)}, {"CustomBoards", Value::Text("abc")}},
               {{"Section", Value::Integer(2)}}});
    ODBCStatement statement(GetConnection(), ODBCStatement::KeysetUpdatable);
    ASSERT_TRUE(statement.IsValid());
    EXPECT_EQ(statement.GetType(), ODBCStatement::KeysetUpdatable);
    EXPECT_TRUE(statement.ChangeType(static_cast<ODBCStatement::t_Type>(7)));
    EXPECT_EQ(statement.GetType(), ODBCStatement::ForwardOnly);  // any other value is forward-only
    ASSERT_TRUE(statement.ChangeType(ODBCStatement::KeysetUpdatable));

    // The catalog through the statement; column names are found in any case.
    ASSERT_TRUE(statement.Tables("RoundData", nullptr, nullptr, "TABLE"));
    EXPECT_GT(statement.GetColumnByName("table_name"), 0);
    bool eof = true;
    ASSERT_TRUE(statement.Fetch(&eof));
    EXPECT_FALSE(eof);
    ASSERT_TRUE(statement.Cancel());

    ASSERT_TRUE(
        statement.Query("SELECT [Section], [CustomBoards] FROM [RoundData] ORDER BY [Section]"));
    EXPECT_EQ(statement.GetColumnSize(2), 255u);
    EXPECT_EQ(statement.GetColumnScale(1), 0);
    EXPECT_EQ(statement.ColumnNullable(1), SQL_NULLABLE);
    char name[32] = {0};
    ASSERT_TRUE(statement.GetColumnName(2, name, sizeof name));
    EXPECT_STREQ(name, "CustomBoards");
    EXPECT_TRUE(statement.FetchFirst());
    EXPECT_TRUE(statement.FetchLast());
    EXPECT_TRUE(statement.FetchRow(1, true));
    CByteArray bytes;
    ASSERT_TRUE(statement.GetByteArray(2, bytes, 0));  // a first piece of 1024 bytes
    ASSERT_EQ(bytes.GetSize(), 3);
    EXPECT_EQ(bytes[0], 'a');
    EXPECT_TRUE(statement.FetchRow(1, false));
    ASSERT_TRUE(statement.GetByteArray(2, bytes, 2));  // NULL
    EXPECT_EQ(bytes.GetSize(), 0);
    SQLLEN indicator = 0;
    SQLSMALLINT section = 0;
    ASSERT_TRUE(statement.GetData(1, &section, sizeof section, &indicator, SQL_C_SSHORT));
    EXPECT_EQ(section, 2);
    EXPECT_FALSE(statement.NextResult());  // one result only
    // The file is read-only: row changes fail.
    testing::internal::CaptureStdout();
    bool needData = true;
    EXPECT_FALSE(statement.Update(&needData));
    EXPECT_FALSE(needData);
    EXPECT_FALSE(statement.Delete());
    EXPECT_FALSE(statement.Add(nullptr));
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(statement.UnBindAll());
    statement.Free();
    EXPECT_FALSE(statement.IsValid());
}

TEST_F(TableReaderTest, FetchFirstOnAnEmptyResultFails) {
    WriteFile({});
    ODBCStatement statement(GetConnection(), ODBCStatement::KeysetUpdatable);
    ASSERT_TRUE(statement.Query("SELECT * FROM [RoundData]"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(statement.FetchFirst());
    testing::internal::GetCapturedStdout();
    bool eof = false;
    EXPECT_TRUE(statement.Fetch(&eof));
    EXPECT_TRUE(eof);
    ASSERT_TRUE(statement.Cancel());  // closes the cursor
    EXPECT_TRUE(statement.GetTypeInfo(SQL_ALL_TYPES));
}

}  // namespace
