// ODBCStatement: owns one ODBC statement handle and wraps each statement-level
// call in one method. Every method refuses to act without a statement, passes
// the call's return code to ODBCErrorCheck (which prints the driver's
// diagnostics of a failure) and reports the outcome as a bool or as a value
// that is 0 on failure. The handle is freed by Free or the destructor.
// Statements are not copied (two copies would free one handle twice); they
// can be moved.
#pragma once

#include "db/odbc.h"
#include "platform/byte_array.h"
#include "platform/cstring.h"

class ODBCStatement {
  public:
    // Cursor behaviour: concurrency and cursor type applied by SetType.
    enum t_Type {
        ForwardOnly = 0,      // read-only, forward-only
        KeysetUpdatable = 1,  // row-version concurrency, keyset-driven
    };

    // Holds no statement.
    ODBCStatement();
    // Create(connection, type); the outcome shows in IsValid.
    ODBCStatement(SQLHDBC connection, t_Type type);
    ODBCStatement(const ODBCStatement&) = delete;
    ODBCStatement& operator=(const ODBCStatement&) = delete;
    ODBCStatement(ODBCStatement&& other) noexcept;
    ODBCStatement& operator=(ODBCStatement&& other) noexcept;
    virtual ~ODBCStatement();

    // Allocates a statement on connection and applies type. False (holding
    // no statement) when allocation or SetType fails. A statement already
    // held is freed first.
    bool Create(SQLHDBC connection, t_Type type);
    // Sets concurrency and cursor type; any value but KeysetUpdatable counts
    // as ForwardOnly. The type is stored whatever the outcome; true only when
    // both attributes were accepted (a substituted value counts as accepted).
    bool SetType(t_Type type);
    // Cancels the statement's work, then SetType.
    bool ChangeType(t_Type type);
    // Closes the cursor and frees the statement; afterwards none is held.
    void Free();
    bool IsValid() const;
    operator SQLHSTMT() const;  // NOLINT: the handle, for direct ODBC calls
    t_Type GetType() const { return type; }

    // Executes sql; a statement that affects no rows (SQL_NO_DATA) succeeds.
    bool Query(const char* sql);
    // Moves to the next result; false also when there is none.
    bool NextResult();
    // Fetches the next row; *eof (when given) tells whether the end was reached,
    // which counts as success.
    bool Fetch(bool* eof);
    bool FetchNext(bool* eof);
    bool FetchPrevious(bool* eof);
    bool FetchFirst();
    bool FetchLast();
    bool FetchRow(long row, bool absolute);
    // Row changes, for drivers that allow them; *needData (when given) tells
    // whether the driver asks for data at execution, which counts as success.
    bool Add(bool* needData);
    bool Update(bool* needData);
    bool Delete();
    bool Cancel();

    bool BindColumn(unsigned short column, void* buffer, long bufferLength, SQLLEN* indicator,
                    short cType);
    bool UnBindColumn(unsigned short column);
    bool UnBindAll();
    bool GetData(unsigned short column, void* buffer, long bufferLength, SQLLEN* indicator,
                 short cType);
    // Reads a 32-bit integer; *isNull (when given) tells whether it was NULL.
    bool GetInt(unsigned short column, int* value, bool* isNull);
    // Reads the whole text of a column in pieces of length characters (255
    // when length < 1). NULL gives the empty text and true. A value the
    // driver reports as longer than 64 MiB fails.
    bool GetString(unsigned short column, CString& text, long length);
    // Reads the whole binary value of a column in pieces of length bytes
    // (1024 when length < 1). NULL gives an empty array and true. A value the
    // driver reports as longer than 64 MiB fails.
    bool GetByteArray(unsigned short column, CByteArray& bytes, long length);

    // Description of the current result; 0 on failure unless noted.
    short GetColumnCount();
    long GetRowCount();
    short GetColumnType(unsigned short column);
    unsigned long GetColumnSize(unsigned short column);
    short GetColumnScale(unsigned short column);
    // Writes the column's name into buffer (bufferLength bytes, NUL included).
    bool GetColumnName(unsigned short column, char* buffer, short bufferLength);
    // The column's nullability; 0 without a statement, SQL_NULLABLE_UNKNOWN
    // when the call fails.
    short ColumnNullable(unsigned short column);
    // 1-based number of the result column of that name, letter case ignored;
    // 0 when there is none.
    unsigned short GetColumnByName(const char* name);
    // Lists tables through the catalog; a null argument is a null pattern.
    bool Tables(const char* table, const char* schema, const char* catalog, const char* tableType);
    bool GetTypeInfo(short dataType);

  private:
    bool IsReturnOK(SQLRETURN code, bool reportInfo) const;
    bool FetchScroll(SQLSMALLINT orientation, SQLLEN offset, bool* eof, bool endIsNormal);
    bool Describe(unsigned short column, SQLSMALLINT* dataType, SQLULEN* size, SQLSMALLINT* scale,
                  SQLSMALLINT* nullable);
    bool OnNeedData(SQLRETURN code, bool* needData);

    SQLHSTMT handle;
    t_Type type;
};
