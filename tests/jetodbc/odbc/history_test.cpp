// A table with the history real files have: rows written before columns
// were added (one of them with exactly eight columns, so its null mask is
// one full byte and the later columns have no bit in it), a deleted row, a
// moved row, and dropped columns, fixed and variable, with a column added
// after them. The driver reads it as Access would, whatever MDB Tools makes
// of it.
#include <gtest/gtest.h>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const char* kHistory =
    "database created=2026-01-15\n"
    "table History\n"
    "column A Integer\ncolumn B Integer\ncolumn C Integer\ncolumn D Integer\n"
    "column E Integer\ncolumn F Integer\ncolumn G Integer\ncolumn H Integer\n"
    "row 1, 2, 3, 4, 5, 6, 7, 8\n"
    "deleted row 9, 9, 9, 9, 9, 9, 9, 9\n"
    "column Name Text(10)\ncolumn Extra Long\n"
    "row 2, NULL, 0, 0, 0, 0, 0, NULL, \"two\", NULL\n"
    "moved row 3, 30, 0, 0, 0, 0, 0, 0, \"three\", 33\n"
    "drop column B\ndrop column Name\n"
    "row 4, 0, 0, 0, 0, 0, 0, 40\n"
    "column Later Text(5)\n"
    "row 5, 0, 0, 0, 0, 0, 0, 50, \"five\"\n";

}  // namespace

TEST(History, RowsReadAsWrittenUnderEachDefinition) {
    Session s(MakeDatabase("history.bws", kHistory));
    Statement st(s.connection);
    ASSERT_EQ(st.Exec("SELECT * FROM History ORDER BY A"), SQL_SUCCESS) << st.States();
    EXPECT_EQ(st.ColumnNames(),
              (std::vector<std::string>{"A", "C", "D", "E", "F", "G", "H", "Extra", "Later"}));
    const std::string null = "<NULL>";
    EXPECT_EQ(st.Rows(), (Rows{{"1", "3", "4", "5", "6", "7", "8", null, null},
                               {"2", "0", "0", "0", "0", "0", null, null, null},
                               {"3", "0", "0", "0", "0", "0", "0", "33", null},
                               {"4", "0", "0", "0", "0", "0", "0", "40", null},
                               {"5", "0", "0", "0", "0", "0", "0", "50", "five"}}));
    SQLCloseCursor(st.get());
    // The moved row once, the deleted one not at all, whatever the order.
    ASSERT_EQ(st.Exec("SELECT A FROM History"), SQL_SUCCESS);
    EXPECT_EQ(st.Rows().size(), 5u);
    SQLCloseCursor(st.get());
    ASSERT_EQ(st.Exec("SELECT A FROM History WHERE Extra IS NULL ORDER BY A"), SQL_SUCCESS);
    EXPECT_EQ(st.Rows(), (Rows{{"1"}, {"2"}}));
}
