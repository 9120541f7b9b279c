#include "db/connection.h"

#include <cstring>
#include <map>

#include "db/error_check.h"
#include "db/process_names.h"
#include "platform/unnamed_mutex.h"
#include "platform/win32_types.h"

namespace {

// Created in this order before main runs; destroyed in reverse at exit, after
// CloseAllConnections has run as an exit handler.
std::map<DWORD, SQLHDBC> connectionTable;
UnnamedMutex databaseMutex;
SQLHENV environment = SQL_NULL_HENV;

// A connect that the driver refused for what the file holds (not a database,
// damaged, encrypted: state HY000) would be refused again for the same file,
// and only after the driver has read it anew. The refused handle is kept with
// its diagnostics, so that a later request for the same connection string
// prints those records again instead of connecting again.
struct RefusedConnect {
    std::string connectionString;
    SQLHDBC handle = SQL_NULL_HDBC;
    SQLRETURN code = SQL_ERROR;
};
RefusedConnect refused;

constexpr const char* kDriverPart =
    "; DRIVER={Microsoft Access Driver (*.mdb)}; ExtendedAnsiSQL=1;";
constexpr SQLSMALLINT kConnectOutputSize = 2048;

// Holds the database mutex for one scope.
class DatabaseLock {
  public:
    DatabaseLock() { databaseMutex.Wait(); }
    ~DatabaseLock() { databaseMutex.Release(); }
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;
};

// Makes the environment on first use; false when it cannot be made.
bool EnsureEnvironment() {
    if (environment != SQL_NULL_HENV) return true;
    if (SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment) == SQL_ERROR) {
        environment = SQL_NULL_HENV;
        return false;
    }
    SQLRETURN code = SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                                   reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!ODBCErrorCheck(environment, SQL_HANDLE_ENV, code, true)) {
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
        environment = SQL_NULL_HENV;
        return false;
    }
    return true;
}

// True when the first diagnostic record of a failed connect says that the
// driver refused the file itself rather than failing to reach it.
bool RefusedForTheFile(SQLHDBC connection) {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLCHAR message[8];
    const SQLRETURN code = SQLGetDiagRec(SQL_HANDLE_DBC, connection, 1, state, &native, message,
                                         sizeof message, nullptr);
    return (code == SQL_SUCCESS || code == SQL_SUCCESS_WITH_INFO) &&
           std::memcmp(state, "HY000", 6) == 0;
}

}  // namespace

std::string BuildConnectionString(const std::string& path) {
    // Drivers trim blanks (space, tab, CR, LF) around an unbraced value,
    // which would name another file.
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    const bool blankAtAnEnd = !path.empty() && (isBlank(path.front()) || isBlank(path.back()));
    if (path.find_first_of(";{}") == std::string::npos && !blankAtAnEnd) {
        return "DBQ=" + path + kDriverPart;
    }
    std::string braced = "{";
    for (char c : path) {
        braced += c;
        if (c == '}') braced += '}';
    }
    braced += '}';
    return "DBQ=" + braced + kDriverPart;
}

char* getConnectionString(char* buffer) {
    const std::string text = BuildConnectionString(getFileName());
    if (text.size() >= kConnectionStringSize) {
        buffer[0] = '\0';
    } else {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    }
    return buffer;
}

SQLHDBC GetConnection() {
    const DWORD thread = GetCurrentThreadId();
    {
        DatabaseLock lock;
        auto found = connectionTable.find(thread);
        if (found != connectionTable.end()) return found->second;
    }

    // Built without a bound, so that a long path is connected as it stands
    // instead of being cut to another file's name.
    const std::string connectionString = BuildConnectionString(getFileName());
    SQLHDBC connection = SQL_NULL_HDBC;
    {
        DatabaseLock lock;
        if (refused.handle != SQL_NULL_HDBC && refused.connectionString == connectionString) {
            ODBCErrorCheck(refused.handle, SQL_HANDLE_DBC, refused.code, true);
            return SQL_NULL_HDBC;
        }
        if (!EnsureEnvironment()) return SQL_NULL_HDBC;
        SQLRETURN code = SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection);
        if (!ODBCErrorCheck(environment, SQL_HANDLE_ENV, code, true)) return SQL_NULL_HDBC;
    }

    SQLCHAR output[kConnectOutputSize];
    std::string input = connectionString;
    SQLRETURN code =
        SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(input.data()), SQL_NTS,
                         output, kConnectOutputSize, nullptr, SQL_DRIVER_NOPROMPT);
    if (!ODBCErrorCheck(connection, SQL_HANDLE_DBC, code, true)) {
        DatabaseLock lock;
        if (RefusedForTheFile(connection)) {
            if (refused.handle != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, refused.handle);
            refused = RefusedConnect{connectionString, connection, code};
        } else {
            // Of no further use; freeing it keeps repeated attempts from
            // piling up handles.
            SQLFreeHandle(SQL_HANDLE_DBC, connection);
        }
        return SQL_NULL_HDBC;
    }

    DatabaseLock lock;
    connectionTable[thread] = connection;
    return connection;
}

void CloseAllConnections() {
    DatabaseLock lock;
    for (auto& entry : connectionTable) {
        if (entry.second == SQL_NULL_HDBC) continue;
        SQLDisconnect(entry.second);
        SQLFreeHandle(SQL_HANDLE_DBC, entry.second);
    }
    connectionTable.clear();
    if (refused.handle != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, refused.handle);
    refused = RefusedConnect{};
    if (environment != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
        environment = SQL_NULL_HENV;
    }
}
