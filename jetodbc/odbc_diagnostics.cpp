// ODBC entry points that read diagnostic records, ANSI and wide (messages
// are kept in Windows-1252 and in UTF-16, for the names beyond Windows-1252
// that some of them give). They do not clear
// the records they read, and they take the handle's lock only to read.
#include <sql.h>
#include <sqlext.h>

#include <mutex>

#include "jetodbc/handles.h"
#include "jetodbc/statement.h"
#include "jetodbc/wide_text.h"

using namespace jetodbc;

namespace {

// Runs read(diagnostics) on the records of handle, a handle of handleType.
template <typename Read>
SQLRETURN WithDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, Read&& read) {
    auto run = [&](auto* object) -> SQLRETURN {
        if (!object) return SQL_INVALID_HANDLE;
        std::lock_guard<std::mutex> lock(object->mutex);
        return read(object->diag);
    };
    switch (handleType) {
        case SQL_HANDLE_ENV:
            return run(FromHandle<Environment>(handle, kEnvironmentTag));
        case SQL_HANDLE_DBC:
            return run(FromHandle<Connection>(handle, kConnectionTag));
        case SQL_HANDLE_STMT:
            return run(FromHandle<Statement>(handle, kStatementTag));
        default:
            return SQL_INVALID_HANDLE;
    }
}

}  // namespace

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record,
                                SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                                SQLSMALLINT bufferLength, SQLSMALLINT* textLength) {
    return WithDiagnostics(handleType, handle, [&](const Diagnostics& d) {
        return d.GetRec(record, state, native, message, bufferLength, textLength);
    });
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record,
                                  SQLSMALLINT identifier, SQLPOINTER info, SQLSMALLINT bufferLength,
                                  SQLSMALLINT* stringLength) {
    return WithDiagnostics(handleType, handle, [&](const Diagnostics& d) {
        return d.GetField(handleType, record, identifier, info, bufferLength, stringLength);
    });
}

SQLRETURN SQL_API SQLGetDiagRecW(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record,
                                 SQLWCHAR* state, SQLINTEGER* native, SQLWCHAR* message,
                                 SQLSMALLINT bufferLength, SQLSMALLINT* textLength) {
    return WithDiagnostics(handleType, handle, [&](const Diagnostics& d) -> SQLRETURN {
        if (record < 1 || bufferLength < 0) return SQL_ERROR;
        if (static_cast<size_t>(record) > d.records().size()) return SQL_NO_DATA;
        const DiagRecord& r = d.records()[record - 1];
        if (state) CopyWide<SQLSMALLINT>(DecodeCp1252(r.state), state, 6, nullptr, false);
        if (native) *native = r.native;
        const bool cut = CopyWide(r.WideMessage(), message, bufferLength, textLength, false);
        return cut && message ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLGetDiagFieldW(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record,
                                   SQLSMALLINT identifier, SQLPOINTER info,
                                   SQLSMALLINT bufferLength, SQLSMALLINT* stringLength) {
    return WithDiagnostics(handleType, handle, [&](const Diagnostics& d) -> SQLRETURN {
        switch (identifier) {
            case SQL_DIAG_SQLSTATE:
            case SQL_DIAG_MESSAGE_TEXT:
            case SQL_DIAG_CLASS_ORIGIN:
            case SQL_DIAG_SUBCLASS_ORIGIN:
            case SQL_DIAG_CONNECTION_NAME:
            case SQL_DIAG_SERVER_NAME:
            case SQL_DIAG_DYNAMIC_FUNCTION:
                break;
            default:  // numbers: as the ANSI form answers them
                return d.GetField(handleType, record, identifier, info, bufferLength, stringLength);
        }
        if (bufferLength < 0) return SQL_ERROR;
        // The ANSI answer, whole, then widened.
        std::string ansi(SQL_MAX_MESSAGE_LENGTH, '\0');
        SQLSMALLINT whole = 0;
        SQLRETURN rc = d.GetField(handleType, record, identifier, ansi.data(),
                                  static_cast<SQLSMALLINT>(ansi.size()), &whole);
        if (rc == SQL_SUCCESS_WITH_INFO && whole >= static_cast<SQLSMALLINT>(ansi.size())) {
            ansi.assign(static_cast<size_t>(whole) + 1, '\0');
            rc = d.GetField(handleType, record, identifier, ansi.data(), whole + 1, &whole);
        }
        if (!SQL_SUCCEEDED(rc)) return rc;
        ansi.resize(static_cast<size_t>(whole));
        const Utf16 wide = identifier == SQL_DIAG_MESSAGE_TEXT
                               ? d.records()[static_cast<size_t>(record) - 1].WideMessage()
                               : DecodeCp1252(ansi);
        const bool cut = CopyWide(wide, info, bufferLength, stringLength, true);
        return cut && info ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    });
}
