// The environment and connection handles the driver hands to the driver
// manager. Each handle is entered in the registry of live handles under its
// kind while it exists (so that a stray or freed pointer is answered with
// SQL_INVALID_HANDLE without being read), and carries its own lock and its
// diagnostic records. A connection owns its statements: disconnecting frees
// those the client left behind.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "jetodbc/database.h"
#include "jetodbc/diagnostics.h"
#include "jetodbc/handle_registry.h"
#include "jetodbc/statement_attributes.h"

namespace jetodbc {

class Statement;

struct Connection;

// The environment owns its connections: the handle of each is the key.
struct Environment {
    ~Environment();

    std::mutex mutex;
    Diagnostics diag;
    int odbcVersion = SQL_OV_ODBC3;
    std::map<Connection*, std::unique_ptr<Connection>> connections;

    LiveHandle live{this, kEnvironmentTag};  // last: see LiveHandle
};

struct Connection {
    explicit Connection(Environment* env);
    ~Connection();

    std::mutex mutex;
    Diagnostics diag;
    Environment* environment;

    std::shared_ptr<Database> database;  // null until connected
    std::string connectionString;        // the completed string of the connect
    std::map<Statement*, std::unique_ptr<Statement>> statements;  // owned; keyed by handle

    // Connection attributes (the database is always read-only).
    SQLUINTEGER autocommit = SQL_AUTOCOMMIT_ON;
    SQLUINTEGER loginTimeout = 0;
    SQLUINTEGER connectionTimeout = 0;
    SQLUINTEGER txnIsolation = SQL_TXN_READ_COMMITTED;
    SQLPOINTER quietMode = nullptr;
    StatementAttributes statementDefaults;  // for statements allocated later

    int odbc_version() const { return environment->odbcVersion; }
    // Frees every statement and drops the database.
    void Disconnect();

    LiveHandle live{this, kConnectionTag};  // last: see LiveHandle
};

// Casts handle to T when it is a live handle of T's kind (tag); null
// otherwise. Reads nothing through handle.
template <typename T>
T* FromHandle(SQLHANDLE handle, uint32_t tag) {
    return IsLiveHandle(handle, tag) ? static_cast<T*>(handle) : nullptr;
}

}  // namespace jetodbc
