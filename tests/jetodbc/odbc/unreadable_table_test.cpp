// One table whose definition cannot be read: using it fails with a record
// that names it, while the file connects and every other table reads, both
// through SELECT and through the catalog functions.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Three tables; the definition of Broken continues on a page past the end
// of the file.
std::string FileWithOneUnreadableTable() {
    const std::string path = MakeDatabase("one-unreadable.bws",
                                          "database created=2026-01-15\n"
                                          "table Good\ncolumn Id Integer\ncolumn Name Text(10)\n"
                                          "row 1, \"one\"\n"
                                          "table Broken\ncolumn Id Integer\nrow 7\n"
                                          "table Other\ncolumn N Long\nrow 5\n");
    uint32_t page = 0;
    {
        Session s(path);
        Statement st(s.connection);
        EXPECT_EQ(st.Exec("SELECT Id FROM MSysObjects WHERE Name = 'Broken'"), SQL_SUCCESS);
        const Rows id = st.Rows();
        EXPECT_EQ(id.size(), 1u);
        if (id.size() == 1) page = static_cast<uint32_t>(std::stoul(id[0][0])) & 0xffffff;
    }
    std::string bytes = ReadFile(path);
    const size_t pageSize = RunFormat() == "jet3" ? 2048 : 4096;
    const uint32_t pastEnd = static_cast<uint32_t>(bytes.size() / pageSize) + 3;
    EXPECT_GT(page, 0u);
    for (int i = 0; i < 4; ++i) {  // the definition page's next-page field
        bytes[page * pageSize + 4 + i] = static_cast<char>(pastEnd >> (8 * i));
    }
    return WriteFile("one-unreadable-damaged.bws", bytes);
}

// The record of a failed call names the table.
void ExpectFailureNamingBroken(SQLRETURN rc, const Statement& st) {
    EXPECT_EQ(rc, SQL_ERROR);
    const std::vector<DiagRecord> records = st.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "HY000");
    EXPECT_NE(records[0].message.find("'Broken'"), std::string::npos) << records[0].message;
}

}  // namespace

TEST(UnreadableTable, FailsAloneAndNamedWhileTheOthersRead) {
    Session s(FileWithOneUnreadableTable());
    {
        Statement st(s.connection);
        ExpectFailureNamingBroken(st.Exec("SELECT * FROM Broken"), st);
        ExpectFailureNamingBroken(st.Exec("SELECT * FROM Broken"), st);  // and again
        ASSERT_EQ(st.Exec("SELECT * FROM Good"), SQL_SUCCESS) << st.States();
        EXPECT_EQ(st.Rows(), (Rows{{"1", "one"}}));
        SQLCloseCursor(st.get());
        ASSERT_EQ(st.Exec("SELECT [Other].* FROM [Other]"), SQL_SUCCESS) << st.States();
        EXPECT_EQ(st.Rows(), (Rows{{"5"}}));
    }
    {  // The catalog still lists it.
        Statement st(s.connection);
        ASSERT_EQ(
            SQLTables(st.get(), nullptr, 0, nullptr, 0, nullptr, 0, (SQLCHAR*)"TABLE", SQL_NTS),
            SQL_SUCCESS);
        Rows names;
        for (const auto& r : st.Rows()) names.push_back({r[2]});
        EXPECT_EQ(names, (Rows{{"Broken"}, {"Good"}, {"Other"}}));
    }
    {  // The columns of every table: the readable ones, with a warning naming it.
        Statement st(s.connection);
        ASSERT_EQ(SQLColumns(st.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0),
                  SQL_SUCCESS_WITH_INFO);
        const std::vector<DiagRecord> records = st.Records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].state, "01000");
        EXPECT_NE(records[0].message.find("'Broken'"), std::string::npos) << records[0].message;
        Rows columns;
        for (const auto& r : st.Rows()) {
            if (r[2] != "MSysObjects") columns.push_back({r[2], r[3], r[16]});
        }
        EXPECT_EQ(columns, (Rows{{"Good", "Id", "1"}, {"Good", "Name", "2"}, {"Other", "N", "1"}}));
    }
    {  // Asked about it alone, the catalog fails as SELECT does.
        Statement st(s.connection);
        ExpectFailureNamingBroken(
            SQLColumns(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"broken", SQL_NTS, nullptr, 0),
            st);
    }
}
