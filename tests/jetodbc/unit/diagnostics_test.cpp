// Diagnostic records as SQLGetDiagRec and SQLGetDiagField read them.
#include "jetodbc/diagnostics.h"

#include <gtest/gtest.h>

#include <cstring>

#include "jetodbc/driver_error.h"

using jetodbc::Diagnostics;
using jetodbc::DriverError;

TEST(Diagnostics, RecordsCarryTheTwoBracketedNames) {
    Diagnostics d;
    d.Add(DriverError("42S02", "The table 'X' does not exist.", -1305));
    d.AddWarning("01004", 3, 2);
    SQLCHAR state[6];
    SQLINTEGER native = 0;
    SQLCHAR message[256];
    SQLSMALLINT length = 0;
    ASSERT_EQ(d.GetRec(1, state, &native, message, sizeof message, &length), SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "42S02");
    EXPECT_EQ(native, -1305);
    EXPECT_STREQ(reinterpret_cast<char*>(message),
                 "[Vellamo][ODBC Jet Driver]The table 'X' does not exist.");
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(std::strlen(reinterpret_cast<char*>(message))));
    ASSERT_EQ(d.GetRec(2, state, &native, message, sizeof message, nullptr), SQL_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "01004");
    EXPECT_EQ(d.GetRec(3, state, &native, message, sizeof message, nullptr), SQL_NO_DATA);
    EXPECT_EQ(d.GetRec(0, state, &native, message, sizeof message, nullptr), SQL_ERROR);
    EXPECT_EQ(d.GetRec(1, state, &native, message, -1, nullptr), SQL_ERROR);
}

TEST(Diagnostics, CutMessagesWarnAndReportTheirLength) {
    Diagnostics d;
    d.Add("HY000", "0123456789");
    SQLCHAR message[8];
    SQLSMALLINT length = 0;
    EXPECT_EQ(d.GetRec(1, nullptr, nullptr, message, sizeof message, &length),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(length, 36);
    EXPECT_STREQ(reinterpret_cast<char*>(message), "[Vellam");
    EXPECT_EQ(d.GetRec(1, nullptr, nullptr, nullptr, 0, &length), SQL_SUCCESS);
}

TEST(Diagnostics, FieldsOfHeaderAndRecords) {
    Diagnostics d;
    d.set_return_code(SQL_ERROR);
    d.set_cursor_row_count(17);
    d.Add("HY010", "Function sequence error.");
    d.AddWarning("01S07", 4, 2);
    SQLINTEGER number = 0;
    ASSERT_EQ(d.GetField(SQL_HANDLE_STMT, 0, SQL_DIAG_NUMBER, &number, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(number, 2);
    SQLRETURN rc = 0;
    d.GetField(SQL_HANDLE_STMT, 0, SQL_DIAG_RETURNCODE, &rc, 0, nullptr);
    EXPECT_EQ(rc, SQL_ERROR);
    SQLLEN rows = 0;
    d.GetField(SQL_HANDLE_STMT, 0, SQL_DIAG_CURSOR_ROW_COUNT, &rows, 0, nullptr);
    EXPECT_EQ(rows, 17);
    EXPECT_EQ(d.GetField(SQL_HANDLE_DBC, 0, SQL_DIAG_CURSOR_ROW_COUNT, &rows, 0, nullptr),
              SQL_ERROR);
    char text[64];
    SQLSMALLINT length = 0;
    d.GetField(SQL_HANDLE_STMT, 1, SQL_DIAG_CLASS_ORIGIN, text, sizeof text, &length);
    EXPECT_STREQ(text, "ODBC 3.0");
    d.GetField(SQL_HANDLE_STMT, 2, SQL_DIAG_CLASS_ORIGIN, text, sizeof text, &length);
    EXPECT_STREQ(text, "ISO 9075");
    d.GetField(SQL_HANDLE_STMT, 2, SQL_DIAG_SUBCLASS_ORIGIN, text, sizeof text, &length);
    EXPECT_STREQ(text, "ODBC 3.0");
    d.GetField(SQL_HANDLE_STMT, 2, SQL_DIAG_ROW_NUMBER, &rows, 0, nullptr);
    EXPECT_EQ(rows, 4);
    SQLINTEGER column = 0;
    d.GetField(SQL_HANDLE_STMT, 2, SQL_DIAG_COLUMN_NUMBER, &column, 0, nullptr);
    EXPECT_EQ(column, 2);
    d.GetField(SQL_HANDLE_STMT, 1, SQL_DIAG_SQLSTATE, text, sizeof text, &length);
    EXPECT_STREQ(text, "HY010");
    EXPECT_EQ(d.GetField(SQL_HANDLE_STMT, 3, SQL_DIAG_SQLSTATE, text, sizeof text, &length),
              SQL_NO_DATA);
    EXPECT_EQ(d.GetField(SQL_HANDLE_STMT, 1, 9999, text, sizeof text, &length), SQL_ERROR);
    d.Clear();
    d.GetField(SQL_HANDLE_STMT, 0, SQL_DIAG_NUMBER, &number, 0, nullptr);
    EXPECT_EQ(number, 0);
}
