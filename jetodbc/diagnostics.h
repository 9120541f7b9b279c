// The diagnostic records of one handle, as SQLGetDiagRec and SQLGetDiagField
// read them. Every function of the driver clears its handle's records on
// entry and adds one record for each failure or warning; the message of
// every record begins with the driver's two bracketed names, as the messages
// of Microsoft's Access driver do.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jetodbc {

class DriverError;

struct DiagRecord {
    std::string state;  // five characters
    int32_t native = 0;
    std::string message;         // with the bracketed prefix, in Windows-1252
    std::u16string wideMessage;  // the same in UTF-16 where message lost characters, else empty
    SQLLEN row = SQL_NO_ROW_NUMBER;
    SQLINTEGER column = SQL_NO_COLUMN_NUMBER;

    // The message in UTF-16, whole.
    std::u16string WideMessage() const;
};

class Diagnostics {
  public:
    // The names that begin every message.
    static constexpr const char* kPrefix = "[Vellamo][ODBC Jet Driver]";

    // Drops every record and resets the header fields. Inline: every entry
    // point of the driver calls it, and almost always on no records.
    void Clear() {
        records_.clear();
        returnCode_ = SQL_SUCCESS;
        rowCount_ = 0;
        cursorRowCount_ = 0;
    }

    // Adds a record; text is the message without the prefix. row and column
    // locate a failure within a fetched rowset (1-based) when known.
    // text is in Windows-1252.
    void Add(std::string_view state, std::string_view text, int32_t native = 0,
             SQLLEN row = SQL_NO_ROW_NUMBER, SQLINTEGER column = SQL_NO_COLUMN_NUMBER);
    void Add(const DriverError& error, SQLLEN row = SQL_NO_ROW_NUMBER,
             SQLINTEGER column = SQL_NO_COLUMN_NUMBER);

    // Adds a warning record with ODBC's standard text for state (01004,
    // 01S02, 01S06, 01S07).
    void AddWarning(const std::string& state, SQLLEN row = SQL_NO_ROW_NUMBER,
                    SQLINTEGER column = SQL_NO_COLUMN_NUMBER);

    const std::vector<DiagRecord>& records() const { return records_; }

    // Header fields reported through SQLGetDiagField.
    void set_return_code(SQLRETURN rc) { returnCode_ = rc; }
    void set_row_count(SQLLEN rows) { rowCount_ = rows; }
    void set_cursor_row_count(SQLLEN rows) { cursorRowCount_ = rows; }

    // SQLGetDiagRec on these records: SQL_NO_DATA past the last record,
    // SQL_ERROR for a record number below 1 or a negative buffer length,
    // SQL_SUCCESS_WITH_INFO when the message had to be cut.
    SQLRETURN GetRec(SQLSMALLINT number, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                     SQLSMALLINT bufferLength, SQLSMALLINT* textLength) const;

    // SQLGetDiagField on these records (number 0 for header fields).
    // handleType decides which header fields exist (row counts on statements).
    SQLRETURN GetField(SQLSMALLINT handleType, SQLSMALLINT number, SQLSMALLINT identifier,
                       SQLPOINTER info, SQLSMALLINT bufferLength, SQLSMALLINT* stringLength) const;

  private:
    std::vector<DiagRecord> records_;
    SQLRETURN returnCode_ = SQL_SUCCESS;
    SQLLEN rowCount_ = 0;
    SQLLEN cursorRowCount_ = 0;
};

}  // namespace jetodbc
