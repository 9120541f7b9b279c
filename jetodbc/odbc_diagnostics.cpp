// ODBC entry points that read diagnostic records. They do not clear the
// records they read, and they take the handle's lock only to read.
#include <sql.h>
#include <sqlext.h>

#include <mutex>

#include "jetodbc/handles.h"
#include "jetodbc/statement.h"

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
