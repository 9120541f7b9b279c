// ODBC entry points that allocate and free handles.
#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <new>

#include "jetodbc/entry_guard.h"
#include "jetodbc/handles.h"
#include "jetodbc/statement.h"

using namespace jetodbc;

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT handleType, SQLHANDLE input, SQLHANDLE* output) {
    switch (handleType) {
        case SQL_HANDLE_ENV:
            if (!output) return SQL_ERROR;
            try {
                *output = new Environment();
            } catch (const std::bad_alloc&) {
                *output = SQL_NULL_HENV;
                return SQL_ERROR;
            }
            return SQL_SUCCESS;
        case SQL_HANDLE_DBC:
            return Guarded<Environment>(input, kEnvironmentTag, [&](Environment& env) {
                if (!output) throw DriverError("HY009", "Invalid use of null pointer.", 0);
                auto connection = std::make_unique<Connection>(&env);
                *output = connection.get();
                env.connections.emplace(connection.get(), std::move(connection));
                return SQL_SUCCESS;
            });
        case SQL_HANDLE_STMT:
            return Guarded<Connection>(input, kConnectionTag, [&](Connection& connection) {
                if (!output) throw DriverError("HY009", "Invalid use of null pointer.", 0);
                if (!connection.database) throw DriverError("08003", "Connection not open.", 0);
                auto statement = std::make_unique<Statement>(&connection);
                *output = statement.get();
                connection.statements.emplace(statement.get(), std::move(statement));
                return SQL_SUCCESS;
            });
        case SQL_HANDLE_DESC:
            return Guarded<Connection>(input, kConnectionTag, [&](Connection&) -> SQLRETURN {
                throw DriverError("HYC00", "Descriptors are not supported.", 0);
            });
        default:
            return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT handleType, SQLHANDLE handle) {
    switch (handleType) {
        case SQL_HANDLE_ENV: {
            auto* env = FromHandle<Environment>(handle, kEnvironmentTag);
            if (!env) return SQL_INVALID_HANDLE;
            {
                std::lock_guard<std::mutex> lock(env->mutex);
                env->diag.Clear();
                if (!env->connections.empty()) {
                    env->diag.Add("HY010", "Function sequence error: connections remain.");
                    return SQL_ERROR;
                }
            }
            delete env;
            return SQL_SUCCESS;
        }
        case SQL_HANDLE_DBC: {
            auto* connection = FromHandle<Connection>(handle, kConnectionTag);
            if (!connection) return SQL_INVALID_HANDLE;
            {
                std::lock_guard<std::mutex> lock(connection->mutex);
                connection->diag.Clear();
                if (connection->database) {
                    connection->diag.Add("HY010", "Function sequence error: still connected.");
                    return SQL_ERROR;
                }
            }
            Environment* env = connection->environment;
            std::lock_guard<std::mutex> lock(env->mutex);
            env->connections.erase(connection);  // frees it
            return SQL_SUCCESS;
        }
        case SQL_HANDLE_STMT: {
            auto* statement = FromHandle<Statement>(handle, kStatementTag);
            if (!statement) return SQL_INVALID_HANDLE;
            Connection* connection = statement->connection;
            std::lock_guard<std::mutex> lock(connection->mutex);
            connection->statements.erase(statement);  // frees it
            return SQL_SUCCESS;
        }
        default:
            return SQL_ERROR;
    }
}
