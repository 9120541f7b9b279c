// The environment and connection handles the driver hands to the driver
// manager. Each handle carries a tag that identifies its kind (so that a
// stray or freed pointer is answered with SQL_INVALID_HANDLE instead of
// being used), its own lock and its diagnostic records. A connection owns
// its statements: disconnecting frees those the client left behind.
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
#include "jetodbc/statement_attributes.h"

namespace jetodbc {

class Statement;

enum HandleTag : uint32_t {
    kEnvironmentTag = 0x4a45564e,  // "JEVN"
    kConnectionTag = 0x4a444243,   // "JDBC"
    kStatementTag = 0x4a53544d,    // "JSTM"
    kFreedTag = 0,
};

struct Connection;

// The environment owns its connections: the handle of each is the key.
struct Environment {
    ~Environment();

    uint32_t tag = kEnvironmentTag;
    std::mutex mutex;
    Diagnostics diag;
    int odbcVersion = SQL_OV_ODBC3;
    std::map<Connection*, std::unique_ptr<Connection>> connections;
};

struct Connection {
    explicit Connection(Environment* env);
    ~Connection();

    uint32_t tag = kConnectionTag;
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
};

// Casts handle to T when it carries T's tag; null otherwise.
template <typename T>
T* FromHandle(SQLHANDLE handle, uint32_t tag) {
    T* object = static_cast<T*>(handle);
    if (!object || object->tag != tag) return nullptr;
    return object;
}

}  // namespace jetodbc
