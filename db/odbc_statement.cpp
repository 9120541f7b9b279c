#include "db/odbc_statement.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "db/error_check.h"

namespace {
// The handle value that means "no statement".
const SQLHSTMT kNoStatement = reinterpret_cast<SQLHSTMT>(static_cast<intptr_t>(-1));

// Longest value read in pieces: a driver that reports more is not believed,
// so a damaged file cannot make the reader allocate without bound.
constexpr SQLLEN kLargestValue = 64L * 1024 * 1024;

int CompareNoCase(const char* left, const char* right) {
    return CString(left).CompareNoCase(right);
}
}  // namespace

ODBCStatement::ODBCStatement() : handle(kNoStatement), type(ForwardOnly) {}

ODBCStatement::ODBCStatement(SQLHDBC connection, t_Type type) : ODBCStatement() {
    Create(connection, type);
}

ODBCStatement::ODBCStatement(ODBCStatement&& other) noexcept
    : handle(other.handle), type(other.type) {
    other.handle = kNoStatement;
}

ODBCStatement& ODBCStatement::operator=(ODBCStatement&& other) noexcept {
    if (this != &other) {
        Free();
        handle = std::exchange(other.handle, kNoStatement);
        type = other.type;
    }
    return *this;
}

ODBCStatement::~ODBCStatement() { Free(); }

bool ODBCStatement::Create(SQLHDBC connection, t_Type newType) {
    Free();
    SQLHSTMT created = kNoStatement;
    SQLRETURN code = SQLAllocHandle(SQL_HANDLE_STMT, connection, &created);
    if (created == kNoStatement || created == SQL_NULL_HSTMT ||
        !ODBCErrorCheck(connection, SQL_HANDLE_DBC, code, true)) {
        handle = kNoStatement;
        return false;
    }
    handle = created;
    if (!SetType(newType)) {
        Free();
        return false;
    }
    return true;
}

bool ODBCStatement::SetType(t_Type newType) {
    if (newType != KeysetUpdatable) newType = ForwardOnly;
    type = newType;
    if (!IsValid()) return false;
    const SQLULEN concurrency =
        newType == KeysetUpdatable ? SQL_CONCUR_ROWVER : SQL_CONCUR_READ_ONLY;
    const SQLULEN cursor =
        newType == KeysetUpdatable ? SQL_CURSOR_KEYSET_DRIVEN : SQL_CURSOR_FORWARD_ONLY;
    bool concurrencySet = IsReturnOK(
        SQLSetStmtAttr(handle, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(concurrency), 0),
        false);
    bool cursorSet = IsReturnOK(
        SQLSetStmtAttr(handle, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(cursor), 0),
        false);
    return concurrencySet && cursorSet;
}

bool ODBCStatement::ChangeType(t_Type newType) {
    if (!IsValid()) return false;
    bool cancelled = IsReturnOK(SQLCancel(handle), true);
    return SetType(newType) && cancelled;
}

void ODBCStatement::Free() {
    if (!IsValid()) return;
    ODBCErrorCheck(handle, SQL_HANDLE_STMT, SQLFreeStmt(handle, SQL_CLOSE), true);
    ODBCErrorCheck(handle, SQL_HANDLE_STMT, SQLFreeHandle(SQL_HANDLE_STMT, handle), true);
    handle = kNoStatement;
}

bool ODBCStatement::IsValid() const { return handle != kNoStatement; }

ODBCStatement::operator SQLHSTMT() const { return handle; }

bool ODBCStatement::IsReturnOK(SQLRETURN code, bool reportInfo) const {
    if (!IsValid()) return false;
    return ODBCErrorCheck(handle, SQL_HANDLE_STMT, code, reportInfo);
}

bool ODBCStatement::Query(const char* sql) {
    if (!IsValid() || sql == nullptr) return false;
    SQLRETURN code =
        SQLExecDirect(handle, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS);
    if (code == SQL_NO_DATA) return true;
    return IsReturnOK(code, true);
}

bool ODBCStatement::NextResult() {
    if (!IsValid()) return false;
    SQLRETURN code = SQLMoreResults(handle);
    if (code == SQL_NO_DATA) return false;
    return IsReturnOK(code, true);
}

bool ODBCStatement::FetchScroll(SQLSMALLINT orientation, SQLLEN offset, bool* eof,
                                bool endIsNormal) {
    if (!IsValid()) return false;
    SQLRETURN code =
        orientation == 0 ? SQLFetch(handle) : SQLFetchScroll(handle, orientation, offset);
    if (endIsNormal) {
        if (code == SQL_NO_DATA) {
            if (eof != nullptr) *eof = true;
            return true;
        }
        if (eof != nullptr) *eof = false;
    }
    return IsReturnOK(code, true);
}

bool ODBCStatement::Fetch(bool* eof) { return FetchScroll(0, 0, eof, true); }
bool ODBCStatement::FetchNext(bool* eof) { return FetchScroll(SQL_FETCH_NEXT, 0, eof, true); }
bool ODBCStatement::FetchPrevious(bool* eof) { return FetchScroll(SQL_FETCH_PRIOR, 0, eof, true); }
bool ODBCStatement::FetchFirst() { return FetchScroll(SQL_FETCH_FIRST, 0, nullptr, false); }
bool ODBCStatement::FetchLast() { return FetchScroll(SQL_FETCH_LAST, 0, nullptr, false); }
bool ODBCStatement::FetchRow(long row, bool absolute) {
    return FetchScroll(absolute ? SQL_FETCH_ABSOLUTE : SQL_FETCH_RELATIVE, row, nullptr, false);
}

bool ODBCStatement::OnNeedData(SQLRETURN code, bool* needData) {
    if (code == SQL_NEED_DATA) {
        if (needData != nullptr) *needData = true;
        return true;
    }
    if (needData != nullptr) *needData = false;
    return IsReturnOK(code, true);
}

bool ODBCStatement::Add(bool* needData) {
    if (!IsValid()) return false;
    return OnNeedData(SQLBulkOperations(handle, SQL_ADD), needData);
}

bool ODBCStatement::Update(bool* needData) {
    if (!IsValid()) return false;
    return OnNeedData(SQLSetPos(handle, 1, SQL_UPDATE, SQL_LOCK_NO_CHANGE), needData);
}

bool ODBCStatement::Delete() {
    if (!IsValid()) return false;
    return IsReturnOK(SQLSetPos(handle, 1, SQL_DELETE, SQL_LOCK_NO_CHANGE), true);
}

bool ODBCStatement::Cancel() {
    if (!IsValid()) return false;
    return IsReturnOK(SQLCancel(handle), true);
}

bool ODBCStatement::BindColumn(unsigned short column, void* buffer, long bufferLength,
                               SQLLEN* indicator, short cType) {
    if (!IsValid()) return false;
    return IsReturnOK(SQLBindCol(handle, column, cType, buffer, bufferLength, indicator), true);
}

bool ODBCStatement::UnBindColumn(unsigned short column) {
    if (!IsValid()) return false;
    return IsReturnOK(SQLBindCol(handle, column, SQL_C_DEFAULT, nullptr, 0, nullptr), true);
}

bool ODBCStatement::UnBindAll() {
    if (!IsValid()) return false;
    return IsReturnOK(SQLFreeStmt(handle, SQL_UNBIND), true);
}

bool ODBCStatement::GetData(unsigned short column, void* buffer, long bufferLength,
                            SQLLEN* indicator, short cType) {
    if (!IsValid()) return false;
    return IsReturnOK(SQLGetData(handle, column, cType, buffer, bufferLength, indicator), true);
}

bool ODBCStatement::GetInt(unsigned short column, int* value, bool* isNull) {
    if (!IsValid()) return false;
    SQLLEN indicator = 0;
    SQLINTEGER fetched = 0;
    if (!IsReturnOK(SQLGetData(handle, column, SQL_C_LONG, &fetched, 0, &indicator), true)) {
        return false;
    }
    if (indicator == SQL_NULL_DATA) {
        if (isNull != nullptr) *isNull = true;
        return true;
    }
    if (indicator != static_cast<SQLLEN>(sizeof(SQLINTEGER))) return false;
    if (value != nullptr) *value = fetched;
    if (isNull != nullptr) *isNull = false;
    return true;
}

bool ODBCStatement::GetString(unsigned short column, CString& text, long length) {
    if (!IsValid()) return false;
    long piece = length < 1 ? 255 : length;
    long total = 0;
    char* buffer = text.GetBuffer(static_cast<int>(piece));
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN code =
            SQLGetData(handle, column, SQL_C_CHAR, buffer + total, piece + 1, &indicator);
        if (!IsReturnOK(code, true)) {
            text.ReleaseBuffer(0);
            return false;
        }
        if (indicator == SQL_NULL_DATA) {
            text.ReleaseBuffer(0);
            return true;
        }
        if ((indicator < 0 && indicator != SQL_NO_TOTAL) || indicator > kLargestValue) {
            text.ReleaseBuffer(0);
            return false;
        }
        const long before = total;
        total += piece;
        if (indicator == SQL_NO_TOTAL && total + piece > kLargestValue) {
            text.ReleaseBuffer(0);
            return false;
        }
        if (indicator != SQL_NO_TOTAL) {
            if (indicator <= piece) {
                text.ReleaseBuffer(
                    static_cast<int>(indicator == piece ? total : before + indicator));
                return true;
            }
            // The indicator counts what was outstanding before this piece.
            piece = static_cast<long>(indicator) - piece;
        }
        text.ReleaseBuffer(static_cast<int>(total));
        buffer = text.GetBuffer(static_cast<int>(total + piece));
    }
}

bool ODBCStatement::GetByteArray(unsigned short column, CByteArray& bytes, long length) {
    if (!IsValid()) return false;
    long piece = length < 1 ? 1024 : length;
    bytes.RemoveAll();
    bytes.SetSize(piece);
    for (;;) {
        SQLLEN indicator = 0;
        uint8_t* target = bytes.GetData() + (bytes.GetSize() - piece);
        SQLRETURN code = SQLGetData(handle, column, SQL_C_BINARY, target, piece, &indicator);
        if (!IsReturnOK(code, true)) return false;
        if (indicator == SQL_NULL_DATA) {
            bytes.RemoveAll();
            return true;
        }
        if (indicator == SQL_NO_TOTAL) {
            if (bytes.GetSize() + piece > kLargestValue) return false;
            bytes.SetSize(bytes.GetSize() + piece);
            continue;
        }
        if (indicator < 0 || indicator > kLargestValue) return false;
        if (indicator <= piece) {
            bytes.SetSize(bytes.GetSize() - (piece - static_cast<long>(indicator)));
            bytes.FreeExtra();
            return true;
        }
        piece = static_cast<long>(indicator) - piece;
        bytes.SetSize(bytes.GetSize() + piece);
    }
}

short ODBCStatement::GetColumnCount() {
    if (!IsValid()) return 0;
    SQLSMALLINT count = 0;
    if (!IsReturnOK(SQLNumResultCols(handle, &count), true)) return 0;
    return count;
}

long ODBCStatement::GetRowCount() {
    if (!IsValid()) return 0;
    SQLLEN count = 0;
    if (!IsReturnOK(SQLRowCount(handle, &count), true)) return 0;
    return static_cast<long>(count);
}

bool ODBCStatement::Describe(unsigned short column, SQLSMALLINT* dataType, SQLULEN* size,
                             SQLSMALLINT* scale, SQLSMALLINT* nullable) {
    if (!IsValid()) return false;
    SQLSMALLINT typeSeen = 0, scaleSeen = 0, nullableSeen = 0, nameLength = 0;
    SQLULEN sizeSeen = 0;
    SQLRETURN code = SQLDescribeCol(handle, column, nullptr, 0, &nameLength, &typeSeen, &sizeSeen,
                                    &scaleSeen, &nullableSeen);
    if (!IsReturnOK(code, true)) return false;
    if (dataType != nullptr) *dataType = typeSeen;
    if (size != nullptr) *size = sizeSeen;
    if (scale != nullptr) *scale = scaleSeen;
    if (nullable != nullptr) *nullable = nullableSeen;
    return true;
}

short ODBCStatement::GetColumnType(unsigned short column) {
    SQLSMALLINT dataType = 0;
    return Describe(column, &dataType, nullptr, nullptr, nullptr) ? dataType : 0;
}

unsigned long ODBCStatement::GetColumnSize(unsigned short column) {
    SQLULEN size = 0;
    return Describe(column, nullptr, &size, nullptr, nullptr) ? static_cast<unsigned long>(size)
                                                              : 0;
}

short ODBCStatement::GetColumnScale(unsigned short column) {
    SQLSMALLINT scale = 0;
    return Describe(column, nullptr, nullptr, &scale, nullptr) ? scale : 0;
}

short ODBCStatement::ColumnNullable(unsigned short column) {
    if (!IsValid()) return 0;
    SQLSMALLINT nullable = 0;
    return Describe(column, nullptr, nullptr, nullptr, &nullable) ? nullable : SQL_NULLABLE_UNKNOWN;
}

bool ODBCStatement::GetColumnName(unsigned short column, char* buffer, short bufferLength) {
    if (!IsValid() || buffer == nullptr) return false;
    SQLSMALLINT nameLength = 0, dataType = 0, scale = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN code = SQLDescribeCol(handle, column, reinterpret_cast<SQLCHAR*>(buffer),
                                    bufferLength, &nameLength, &dataType, &size, &scale, &nullable);
    return IsReturnOK(code, true);
}

unsigned short ODBCStatement::GetColumnByName(const char* name) {
    if (name == nullptr) return 0;
    const short count = GetColumnCount();
    for (short column = 1; column <= count; ++column) {
        char columnName[256] = {0};
        if (!GetColumnName(static_cast<unsigned short>(column), columnName, sizeof columnName)) {
            return 0;
        }
        if (CompareNoCase(columnName, name) == 0) return static_cast<unsigned short>(column);
    }
    return 0;
}

bool ODBCStatement::Tables(const char* table, const char* schema, const char* catalog,
                           const char* tableType) {
    if (!IsValid()) return false;
    auto text = [](const char* value) {
        return reinterpret_cast<SQLCHAR*>(const_cast<char*>(value));
    };
    auto length = [](const char* value) -> SQLSMALLINT { return value != nullptr ? SQL_NTS : 0; };
    SQLRETURN code = SQLTables(handle, text(catalog), length(catalog), text(schema), length(schema),
                               text(table), length(table), text(tableType), length(tableType));
    return IsReturnOK(code, true);
}

bool ODBCStatement::GetTypeInfo(short dataType) {
    if (!IsValid()) return false;
    return IsReturnOK(SQLGetTypeInfo(handle, dataType), true);
}
