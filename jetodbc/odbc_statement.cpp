// ODBC entry points of the statement handle: execution, description of the
// result, data transfer and cursor control, in their ANSI forms and, where
// they carry text, their wide (SQL...W) forms. Each hands over to Statement;
// SQL text reaches it in UTF-8.
#include <sql.h>
#include <sqlext.h>

#include "jetodbc/entry_guard.h"
#include "jetodbc/statement.h"
#include "jetodbc/wide_text.h"

using namespace jetodbc;

namespace {

template <typename Body>
SQLRETURN OnStatement(SQLHSTMT handle, Body&& body) {
    return Guarded<Statement>(handle, kStatementTag, std::forward<Body>(body));
}

}  // namespace

SQLRETURN SQL_API SQLPrepare(SQLHSTMT handle, SQLCHAR* text, SQLINTEGER length) {
    return OnStatement(
        handle, [&](Statement& s) { return s.Prepare(AnsiToUtf8(RequiredText(text, length))); });
}

SQLRETURN SQL_API SQLPrepareW(SQLHSTMT handle, SQLWCHAR* text, SQLINTEGER length) {
    return OnStatement(handle,
                       [&](Statement& s) { return s.Prepare(RequiredWideUtf8(text, length)); });
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT handle) {
    return OnStatement(handle, [&](Statement& s) { return s.Execute(); });
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT handle, SQLCHAR* text, SQLINTEGER length) {
    return OnStatement(
        handle, [&](Statement& s) { return s.ExecDirect(AnsiToUtf8(RequiredText(text, length))); });
}

SQLRETURN SQL_API SQLExecDirectW(SQLHSTMT handle, SQLWCHAR* text, SQLINTEGER length) {
    return OnStatement(handle,
                       [&](Statement& s) { return s.ExecDirect(RequiredWideUtf8(text, length)); });
}

SQLRETURN SQL_API SQLNumParams(SQLHSTMT handle, SQLSMALLINT* count) {
    return OnStatement(handle, [&](Statement& s) { return s.NumParams(count); });
}

SQLRETURN SQL_API SQLDescribeParam(SQLHSTMT handle, SQLUSMALLINT number, SQLSMALLINT* dataType,
                                   SQLULEN* size, SQLSMALLINT* decimalDigits,
                                   SQLSMALLINT* nullable) {
    return OnStatement(handle, [&](Statement& s) {
        return s.DescribeParam(number, dataType, size, decimalDigits, nullable);
    });
}

SQLRETURN SQL_API SQLBindParameter(SQLHSTMT handle, SQLUSMALLINT number, SQLSMALLINT ioType,
                                   SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN columnSize,
                                   SQLSMALLINT decimalDigits, SQLPOINTER data, SQLLEN bufferLength,
                                   SQLLEN* indicator) {
    return OnStatement(handle, [&](Statement& s) {
        return s.BindParameter(number, ioType, cType, sqlType, columnSize, decimalDigits, data,
                               bufferLength, indicator);
    });
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT handle, SQLSMALLINT* count) {
    return OnStatement(handle, [&](Statement& s) { return s.NumResultCols(count); });
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT handle, SQLUSMALLINT column, SQLCHAR* name,
                                 SQLSMALLINT bufferLength, SQLSMALLINT* nameLength,
                                 SQLSMALLINT* dataType, SQLULEN* columnSize,
                                 SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable) {
    return OnStatement(handle, [&](Statement& s) {
        return s.DescribeCol(column, false, name, bufferLength, nameLength, dataType, columnSize,
                             decimalDigits, nullable);
    });
}

SQLRETURN SQL_API SQLDescribeColW(SQLHSTMT handle, SQLUSMALLINT column, SQLWCHAR* name,
                                  SQLSMALLINT bufferLength, SQLSMALLINT* nameLength,
                                  SQLSMALLINT* dataType, SQLULEN* columnSize,
                                  SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable) {
    return OnStatement(handle, [&](Statement& s) {
        return s.DescribeCol(column, true, name, bufferLength, nameLength, dataType, columnSize,
                             decimalDigits, nullable);
    });
}

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT handle, SQLUSMALLINT column, SQLUSMALLINT field,
                                  SQLPOINTER text, SQLSMALLINT bufferLength,
                                  SQLSMALLINT* textLength, SQLLEN* number) {
    return OnStatement(handle, [&](Statement& s) {
        return s.ColAttribute(column, false, field, text, bufferLength, textLength, number);
    });
}

SQLRETURN SQL_API SQLColAttributeW(SQLHSTMT handle, SQLUSMALLINT column, SQLUSMALLINT field,
                                   SQLPOINTER text, SQLSMALLINT bufferLength,
                                   SQLSMALLINT* textLength, SQLLEN* number) {
    return OnStatement(handle, [&](Statement& s) {
        return s.ColAttribute(column, true, field, text, bufferLength, textLength, number);
    });
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT handle, SQLLEN* count) {
    return OnStatement(handle, [&](Statement& s) { return s.RowCount(count); });
}

SQLRETURN SQL_API SQLBindCol(SQLHSTMT handle, SQLUSMALLINT column, SQLSMALLINT cType,
                             SQLPOINTER target, SQLLEN bufferLength, SQLLEN* indicator) {
    return OnStatement(handle, [&](Statement& s) {
        return s.BindCol(column, cType, target, bufferLength, indicator);
    });
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT handle) {
    return OnStatement(handle, [&](Statement& s) { return s.FetchScroll(SQL_FETCH_NEXT, 0); });
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT handle, SQLSMALLINT orientation, SQLLEN offset) {
    return OnStatement(handle, [&](Statement& s) { return s.FetchScroll(orientation, offset); });
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT handle, SQLUSMALLINT column, SQLSMALLINT cType,
                             SQLPOINTER target, SQLLEN bufferLength, SQLLEN* indicator) {
    return OnStatement(handle, [&](Statement& s) {
        return s.GetData(column, cType, target, bufferLength, indicator);
    });
}

SQLRETURN SQL_API SQLSetPos(SQLHSTMT handle, SQLSETPOSIROW row, SQLUSMALLINT operation,
                            SQLUSMALLINT lock) {
    return OnStatement(handle, [&](Statement& s) { return s.SetPos(row, operation, lock); });
}

SQLRETURN SQL_API SQLBulkOperations(SQLHSTMT handle, SQLSMALLINT operation) {
    return OnStatement(handle, [&](Statement& s) { return s.BulkOperations(operation); });
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT handle) {
    return OnStatement(handle, [&](Statement& s) { return s.MoreResults(); });
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT handle, SQLUSMALLINT option) {
    if (option == SQL_DROP) return SQLFreeHandle(SQL_HANDLE_STMT, handle);
    return OnStatement(handle, [&](Statement& s) { return s.FreeStmt(option); });
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT handle) {
    return OnStatement(handle, [&](Statement& s) { return s.CloseCursor(); });
}

SQLRETURN SQL_API SQLCancel(SQLHSTMT handle) {
    return OnStatement(handle, [&](Statement& s) { return s.Cancel(); });
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER) {
    return OnStatement(handle, [&](Statement& s) { return s.SetAttr(attribute, value); });
}

// No statement attribute is text, so the wide forms are the ANSI ones.
SQLRETURN SQL_API SQLSetStmtAttrW(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value,
                                  SQLINTEGER) {
    return OnStatement(handle, [&](Statement& s) { return s.SetAttr(attribute, value); });
}

SQLRETURN SQL_API SQLGetStmtAttrW(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value,
                                  SQLINTEGER bufferLength, SQLINTEGER* length) {
    return OnStatement(
        handle, [&](Statement& s) { return s.GetAttr(attribute, value, bufferLength, length); });
}

SQLRETURN SQL_API SQLGetStmtAttr(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER bufferLength, SQLINTEGER* length) {
    return OnStatement(
        handle, [&](Statement& s) { return s.GetAttr(attribute, value, bufferLength, length); });
}

SQLRETURN SQL_API SQLSetCursorName(SQLHSTMT handle, SQLCHAR* name, SQLSMALLINT length) {
    return OnStatement(handle,
                       [&](Statement& s) { return s.SetCursorName(RequiredText(name, length)); });
}

SQLRETURN SQL_API SQLGetCursorName(SQLHSTMT handle, SQLCHAR* name, SQLSMALLINT bufferLength,
                                   SQLSMALLINT* length) {
    return OnStatement(handle,
                       [&](Statement& s) { return s.GetCursorName(name, bufferLength, length); });
}

SQLRETURN SQL_API SQLSetCursorNameW(SQLHSTMT handle, SQLWCHAR* name, SQLSMALLINT length) {
    return OnStatement(handle, [&](Statement& s) {
        return s.SetCursorName(EncodeCp1252(DecodeUtf8(RequiredWideUtf8(name, length))));
    });
}

SQLRETURN SQL_API SQLGetCursorNameW(SQLHSTMT handle, SQLWCHAR* name, SQLSMALLINT bufferLength,
                                    SQLSMALLINT* length) {
    return OnStatement(handle, [&](Statement& s) {
        if (bufferLength < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
        SQLSMALLINT whole = 0;
        s.GetCursorName(nullptr, 0, &whole);
        std::string ansi(static_cast<size_t>(whole) + 1, '\0');
        s.GetCursorName(reinterpret_cast<SQLCHAR*>(ansi.data()), whole + 1, &whole);
        ansi.resize(static_cast<size_t>(whole));
        s.diag.Clear();
        if (CopyWide(DecodeCp1252(ansi), name, bufferLength, length, false) && name) {
            s.diag.AddWarning("01004");
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    });
}
