// ODBC entry points of the environment handle, and transactions (which a
// read-only database does not have: ending one always succeeds).
#include <sql.h>
#include <sqlext.h>

#include "jetodbc/entry_guard.h"
#include "jetodbc/out_string.h"

using namespace jetodbc;

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV handle, SQLINTEGER attribute, SQLPOINTER value,
                                SQLINTEGER) {
    return Guarded<Environment>(handle, kEnvironmentTag, [&](Environment& env) {
        const auto v = reinterpret_cast<SQLULEN>(value);
        switch (attribute) {
            case SQL_ATTR_ODBC_VERSION:
                if (v != SQL_OV_ODBC2 && v != SQL_OV_ODBC3 && v != SQL_OV_ODBC3_80) {
                    throw DriverError("HY024", "Invalid attribute value.", 0);
                }
                env.odbcVersion = static_cast<int>(v);
                return SQL_SUCCESS;
            case SQL_ATTR_OUTPUT_NTS:
                if (v != SQL_TRUE)
                    throw DriverError("HYC00", "Optional feature not implemented.", 0);
                return SQL_SUCCESS;
            case SQL_ATTR_CONNECTION_POOLING:
            case SQL_ATTR_CP_MATCH:
                return SQL_SUCCESS;  // pooling is the driver manager's
            default:
                throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
        }
    });
}

SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV handle, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                SQLINTEGER* length) {
    return Guarded<Environment>(handle, kEnvironmentTag, [&](Environment& env) {
        if (length) *length = sizeof(SQLUINTEGER);
        switch (attribute) {
            case SQL_ATTR_ODBC_VERSION:
                StoreNumber<SQLUINTEGER>(value, env.odbcVersion);
                break;
            case SQL_ATTR_OUTPUT_NTS:
                StoreNumber<SQLUINTEGER>(value, SQL_TRUE);
                break;
            case SQL_ATTR_CONNECTION_POOLING:
                StoreNumber<SQLUINTEGER>(value, SQL_CP_OFF);
                break;
            case SQL_ATTR_CP_MATCH:
                StoreNumber<SQLUINTEGER>(value, SQL_CP_STRICT_MATCH);
                break;
            default:
                throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT completion) {
    auto check = [&](auto&) {
        if (completion != SQL_COMMIT && completion != SQL_ROLLBACK) {
            throw DriverError("HY012", "Invalid transaction operation code.", 0);
        }
        return SQL_SUCCESS;
    };
    if (handleType == SQL_HANDLE_ENV) return Guarded<Environment>(handle, kEnvironmentTag, check);
    if (handleType == SQL_HANDLE_DBC) return Guarded<Connection>(handle, kConnectionTag, check);
    return SQL_INVALID_HANDLE;
}
