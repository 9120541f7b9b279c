// A statement handle: what was prepared on it, the open cursor (a result
// set with the position of the current rowset), the column bindings, the
// SQLGetData state and the attributes. Each public function carries out one
// ODBC call after the entry point has checked the handle, cleared the
// diagnostics and taken the lock: it returns the call's SQLRETURN, adds
// warnings to diag, and throws DriverError for a failure (the entry point
// turns that into a record and SQL_ERROR).
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jetodbc/catalog_results.h"
#include "jetodbc/diagnostics.h"
#include "jetodbc/field_transfer.h"
#include "jetodbc/handles.h"
#include "jetodbc/parameter_value.h"
#include "jetodbc/query.h"
#include "jetodbc/result_set.h"
#include "jetodbc/statement_attributes.h"
#include "jetodbc/type_convert.h"

namespace jetodbc {

class Statement {
  public:
    explicit Statement(Connection* connection);
    ~Statement() = default;

    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    std::mutex mutex;
    Diagnostics diag;
    Connection* const connection;

    // Execution (SQL text in UTF-8). Prepare parses and resolves a SELECT (its columns can then
    // be described); Execute runs it and opens a cursor before the first
    // row; ExecDirect does both. The catalog functions open a cursor on
    // their result. Each fails with 24000 while a cursor is open. Columns
    // leaves out tables whose definitions cannot be read, with a 01000
    // warning naming each (SQL_SUCCESS_WITH_INFO), and fails when it can
    // read none of the tables that match.
    SQLRETURN Prepare(std::string_view sql);
    SQLRETURN Execute();
    SQLRETURN ExecDirect(std::string_view sql);
    SQLRETURN Tables(const OptionalText& catalog, const OptionalText& schema,
                     const OptionalText& table, const OptionalText& types);
    SQLRETURN Columns(const OptionalText& catalog, const OptionalText& schema,
                      const OptionalText& table, const OptionalText& column);
    SQLRETURN GetTypeInfo(SQLSMALLINT dataType);
    SQLRETURN Statistics(const OptionalText& table, SQLUSMALLINT unique, SQLUSMALLINT reserved);
    SQLRETURN PrimaryKeys(const OptionalText& table);
    SQLRETURN SpecialColumns(SQLUSMALLINT identifierType, const OptionalText& table);

    // Description of the open result, or of the prepared query before it
    // runs. Column numbers count from 1; 0 and numbers past the last column
    // fail with 07009. RowCount gives the rows of the last result (-1 before
    // any). NumParams counts the prepared statement's '?' markers;
    // DescribeParam gives the type of what marker number (from 1) is
    // compared with (VARCHAR(255) when that is not a column).
    SQLRETURN NumResultCols(SQLSMALLINT* count);
    // Text answers of DescribeCol and ColAttribute are UTF-16 when wide.
    SQLRETURN DescribeCol(SQLUSMALLINT column, bool wide, void* name, SQLSMALLINT bufferLength,
                          SQLSMALLINT* nameLength, SQLSMALLINT* dataType, SQLULEN* columnSize,
                          SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable);
    SQLRETURN ColAttribute(SQLUSMALLINT column, bool wide, SQLUSMALLINT field, SQLPOINTER text,
                           SQLSMALLINT bufferLength, SQLSMALLINT* textLength, SQLLEN* number);
    SQLRETURN RowCount(SQLLEN* count);
    SQLRETURN NumParams(SQLSMALLINT* count);
    SQLRETURN DescribeParam(SQLUSMALLINT number, SQLSMALLINT* dataType, SQLULEN* size,
                            SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable);

    // Parameters. BindParameter keeps the client's buffers for marker
    // number (from 1; input parameters only: HY105 otherwise); Execute reads
    // them each time it runs (07002 when a marker has none). SQLFreeStmt's
    // SQL_RESET_PARAMS forgets them all.
    SQLRETURN BindParameter(SQLUSMALLINT number, SQLSMALLINT ioType, SQLSMALLINT cType,
                            SQLSMALLINT sqlType, SQLULEN columnSize, SQLSMALLINT decimalDigits,
                            SQLPOINTER data, SQLLEN bufferLength, SQLLEN* indicator);

    // Data. BindCol with a null target unbinds that one column; bindings
    // stay across cursors until SQL_UNBIND. FetchScroll moves the cursor by
    // ODBC's rules (only SQL_FETCH_NEXT on a forward-only cursor: HY106
    // otherwise) and fills the bindings for every row of the rowset. GetData
    // reads the current row, text and binary data in pieces; a column read
    // whole answers SQL_NO_DATA until another column is read. SetPos
    // positions within the rowset; changes fail, as does BulkOperations.
    SQLRETURN BindCol(SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target,
                      SQLLEN bufferLength, SQLLEN* indicator);
    SQLRETURN FetchScroll(SQLSMALLINT orientation, SQLLEN offset);
    SQLRETURN GetData(SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target,
                      SQLLEN bufferLength, SQLLEN* indicator);
    SQLRETURN SetPos(SQLSETPOSIROW row, SQLUSMALLINT operation, SQLUSMALLINT lock);
    SQLRETURN BulkOperations(SQLSMALLINT operation);

    // Cursor and statement state. MoreResults closes the cursor and answers
    // SQL_NO_DATA (a statement has one result); Cancel closes the cursor, as
    // nothing runs asynchronously; CloseCursor fails with 24000 without one.
    // Cursor attributes cannot change while a cursor is open (24000).
    SQLRETURN MoreResults();
    SQLRETURN FreeStmt(SQLUSMALLINT option);
    SQLRETURN CloseCursor();
    SQLRETURN Cancel();
    SQLRETURN SetAttr(SQLINTEGER attribute, SQLPOINTER value);
    SQLRETURN GetAttr(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER bufferLength,
                      SQLINTEGER* length);
    SQLRETURN SetCursorName(std::string_view name);
    SQLRETURN GetCursorName(SQLCHAR* name, SQLSMALLINT bufferLength, SQLSMALLINT* length);

  private:
    // One column's binding; a null target is an unbound column. The facts
    // after indicator follow from the binding and the open result's column,
    // and are worked out once for each result (Plan).
    struct Binding {
        SQLSMALLINT cType = 0;
        SQLPOINTER target = nullptr;
        SQLLEN bufferLength = 0;
        SQLLEN* indicator = nullptr;
        uint32_t plannedFor = 0;   // the result the facts below are for (0: none)
        SQLSMALLINT resolved = 0;  // cType with SQL_C_DEFAULT resolved
        size_t element = 0;        // bytes from one row's value to the next bound by column
        FieldRoute route = FieldRoute::General;
        uint8_t jetType = 0;  // the stored column's type, for a direct route
    };

    Database& database() const;
    // The columns of the open result or, failing that, of the prepared query.
    const std::vector<ResultColumn>* Described() const;
    void RequireCursor() const;
    void OpenResult(ResultSet result);
    void CloseResult();
    // Moves one result row into the bindings for rowset row i; returns the
    // row status and adds records for warnings and failures.
    SQLUSMALLINT TransferRow(size_t resultRow, SQLULEN i, bool* error, bool* warning);
    // Works out binding's facts for result column slot of the open result.
    void Plan(Binding& binding, size_t slot) const;

    StatementAttributes attributes_;
    std::shared_ptr<const Query> prepared_;
    std::optional<ResultSet> result_;
    uint32_t resultNumber_ = 0;      // counts the results opened, so that plans know theirs
    int64_t rowsetStart_ = 0;        // 1-based; 0 before the first row
    SQLULEN rowsetSize_ = 1;         // rows in the current rowset
    SQLULEN rowInRowset_ = 0;        // the row SQLGetData reads (SQLSetPos moves it)
    std::vector<Binding> bindings_;  // by column number - 1
    // True when every bound column is planned for the open result: a client
    // that rebinds the same buffers around every fetch leaves it so.
    bool bindingsPlanned_ = false;
    std::map<SQLUSMALLINT, ParameterBinding> parameters_;
    SQLUSMALLINT pieceColumn_ = 0;
    PieceState piece_;
    std::string cursorName_;  // empty until set or first asked for
    SQLLEN rowCount_ = -1;

    LiveHandle live_{this, kStatementTag};  // last: see LiveHandle
};

}  // namespace jetodbc
