// ODBC entry points of the connection handle: connecting (by connection
// string or by data source name), disconnecting and the connection's
// attributes, ANSI and wide. The database is opened read-only whatever the
// client asks. An ANSI connection string is taken byte for byte (a path is
// the file system's bytes); a wide one is read as UTF-8.
#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>
#include <sys/stat.h>

#include <cerrno>

#include "jetodbc/connection_string.h"
#include "jetodbc/entry_guard.h"
#include "jetodbc/out_string.h"
#include "jetodbc/statement.h"
#include "jetodbc/text_codec.h"
#include "jetodbc/wide_text.h"

using namespace jetodbc;

namespace {

// unixODBC tells drivers whether the client calls the ANSI functions.
constexpr SQLINTEGER kAttrAnsiApp = 115;

// The DBQ of data source dsn in odbc.ini; empty when it names none.
std::string DataSourceDatabase(const std::string& dsn) {
    char value[4096] = {0};
    SQLGetPrivateProfileString(dsn.c_str(), "DBQ", "", value, sizeof value, "odbc.ini");
    return value;
}

// The file the connection string names: DBQ (relative to DefaultDir when one
// is given), or the DBQ of its data source.
std::string DatabasePath(const ConnectionString& cs) {
    std::string path = cs.Get("DBQ").value_or("");
    if (path.empty()) {
        const std::string dsn = cs.Get("DSN").value_or("");
        if (!dsn.empty()) path = DataSourceDatabase(dsn);
    }
    if (path.empty()) {
        throw DriverError("08001", "No database file was named: the connection needs DBQ=file.",
                          -1811);
    }
    const std::string dir = cs.Get("DefaultDir").value_or("");
    if (path[0] != '/' && !dir.empty()) path = dir + (dir.back() == '/' ? "" : "/") + path;
    return path;
}

// The file a DBQ names. File names here are UTF-8; a client of the ANSI
// interface on Windows (a program under Wine) passes its name in
// Windows-1252, so a name that is not UTF-8 and names no file is read as
// Windows-1252 when that form names one.
std::string FileNamed(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 || errno != ENOENT) return path;
    if (EncodeUtf8(DecodeUtf8(path)) == path) return path;
    const std::string utf8 = EncodeUtf8(DecodeCp1252(path));
    return stat(utf8.c_str(), &status) == 0 ? utf8 : path;
}

void Open(Connection& c, const std::string& path) {
    if (c.database) throw DriverError("08002", "Connection name in use.", 0);
    c.database = Database::Open(FileNamed(path));
}

// SQLDriverConnect on the connection string in; returns the completed one.
std::string DriverConnect(Connection& c, const std::string& in, SQLUSMALLINT completion) {
    if (completion != SQL_DRIVER_NOPROMPT && completion != SQL_DRIVER_COMPLETE &&
        completion != SQL_DRIVER_PROMPT && completion != SQL_DRIVER_COMPLETE_REQUIRED) {
        throw DriverError("HY110", "Invalid driver completion.", 0);
    }
    const ConnectionString cs = ConnectionString::Parse(in);
    const std::string path = DatabasePath(cs);
    Open(c, path);
    std::string completed;
    bool hadDbq = false;
    for (const auto& [key, value] : cs.pairs()) {
        if (EqualsNoCase(key, "DBQ")) {
            if (hadDbq) continue;
            hadDbq = true;
            completed += ConnectionString::FormatPair("DBQ", path);
        } else {
            completed += ConnectionString::FormatPair(key, value);
        }
    }
    if (!hadDbq) completed += ConnectionString::FormatPair("DBQ", path);
    c.connectionString = completed;
    return completed;
}

// SQLConnect to the data source name.
SQLRETURN Connect(Connection& c, const std::string& name) {
    const std::string path = DataSourceDatabase(name);
    if (path.empty()) {
        throw DriverError("08001", "The data source '" + name + "' names no database file (DBQ).",
                          -1811);
    }
    Open(c, path);
    c.connectionString =
        ConnectionString::FormatPair("DSN", name) + ConnectionString::FormatPair("DBQ", path);
    return SQL_SUCCESS;
}

}  // namespace

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC handle, SQLHWND, SQLCHAR* in, SQLSMALLINT inLength,
                                   SQLCHAR* out, SQLSMALLINT outMax, SQLSMALLINT* outLength,
                                   SQLUSMALLINT completion) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        if (outMax < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
        const std::string completed = DriverConnect(c, RequiredText(in, inLength), completion);
        if (CopyText(completed, out, outMax, outLength) && out) {
            c.diag.AddWarning("01004");
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLDriverConnectW(SQLHDBC handle, SQLHWND, SQLWCHAR* in, SQLSMALLINT inLength,
                                    SQLWCHAR* out, SQLSMALLINT outMax, SQLSMALLINT* outLength,
                                    SQLUSMALLINT completion) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        if (outMax < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
        const std::string completed = DriverConnect(c, RequiredWideUtf8(in, inLength), completion);
        if (CopyWide(DecodeUtf8(completed), out, outMax, outLength, false) && out) {
            c.diag.AddWarning("01004");
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLConnect(SQLHDBC handle, SQLCHAR* dsn, SQLSMALLINT dsnLength, SQLCHAR*,
                             SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        return Connect(c, RequiredText(dsn, dsnLength));
    });
}

SQLRETURN SQL_API SQLConnectW(SQLHDBC handle, SQLWCHAR* dsn, SQLSMALLINT dsnLength, SQLWCHAR*,
                              SQLSMALLINT, SQLWCHAR*, SQLSMALLINT) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        return Connect(c, RequiredWideUtf8(dsn, dsnLength));
    });
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC handle) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        if (!c.database) throw DriverError("08003", "Connection not open.", 0);
        c.Disconnect();
        return SQL_SUCCESS;
    });
}

namespace {

SQLRETURN SetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) -> SQLRETURN {
        const auto v = reinterpret_cast<SQLULEN>(value);
        switch (attribute) {
            case SQL_ATTR_ACCESS_MODE:
                if (v == SQL_MODE_READ_ONLY) return SQL_SUCCESS;
                if (v != SQL_MODE_READ_WRITE)
                    throw DriverError("HY024", "Invalid attribute value.", 0);
                c.diag.AddWarning("01S02");
                return SQL_SUCCESS_WITH_INFO;
            case SQL_ATTR_AUTOCOMMIT:
                if (v != SQL_AUTOCOMMIT_ON && v != SQL_AUTOCOMMIT_OFF) {
                    throw DriverError("HY024", "Invalid attribute value.", 0);
                }
                c.autocommit = static_cast<SQLUINTEGER>(v);
                return SQL_SUCCESS;
            case SQL_ATTR_LOGIN_TIMEOUT:
                c.loginTimeout = static_cast<SQLUINTEGER>(v);
                return SQL_SUCCESS;
            case SQL_ATTR_CONNECTION_TIMEOUT:
                c.connectionTimeout = static_cast<SQLUINTEGER>(v);
                return SQL_SUCCESS;
            case SQL_ATTR_TXN_ISOLATION:
                c.txnIsolation = static_cast<SQLUINTEGER>(v);
                return SQL_SUCCESS;
            case SQL_ATTR_QUIET_MODE:
                c.quietMode = value;
                return SQL_SUCCESS;
            case SQL_ATTR_ODBC_CURSORS:
            case SQL_ATTR_TRACE:
            case SQL_ATTR_TRACEFILE:
            case SQL_ATTR_TRANSLATE_LIB:
            case SQL_ATTR_TRANSLATE_OPTION:
            case kAttrAnsiApp:
                return SQL_SUCCESS;  // the driver manager's business
            case SQL_ATTR_CURRENT_CATALOG:
                throw DriverError("HYC00", "The catalog is the database file and cannot change.",
                                  0);
            case SQL_ATTR_PACKET_SIZE:
                throw DriverError("HYC00", "Optional feature not implemented.", 0);
            default:
                break;
        }
        if (!IsStatementAttribute(attribute)) {
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
        }
        std::string warning;
        const SQLRETURN rc = SetStatementAttribute(c.statementDefaults, attribute, value, &warning);
        if (!warning.empty()) c.diag.AddWarning(warning);
        return rc;
    });
}

// The current catalog (the one text attribute) is UTF-16 when wide, its
// buffer counted in bytes.
SQLRETURN GetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                         SQLINTEGER bufferLength, SQLINTEGER* length, bool wide) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) -> SQLRETURN {
        auto number = [&](SQLUINTEGER n) {
            StoreNumber<SQLUINTEGER>(value, n);
            if (length) *length = sizeof n;
            return SQL_SUCCESS;
        };
        switch (attribute) {
            case SQL_ATTR_ACCESS_MODE:
                return number(SQL_MODE_READ_ONLY);
            case SQL_ATTR_AUTOCOMMIT:
                return number(c.autocommit);
            case SQL_ATTR_LOGIN_TIMEOUT:
                return number(c.loginTimeout);
            case SQL_ATTR_CONNECTION_TIMEOUT:
                return number(c.connectionTimeout);
            case SQL_ATTR_TXN_ISOLATION:
                return number(c.txnIsolation);
            case SQL_ATTR_CONNECTION_DEAD:
                return number(c.database ? SQL_CD_FALSE : SQL_CD_TRUE);
            case SQL_ATTR_AUTO_IPD:
                return number(SQL_FALSE);
            case SQL_ATTR_ASYNC_ENABLE:
                return number(SQL_ASYNC_ENABLE_OFF);
            case SQL_ATTR_QUIET_MODE:
                StoreNumber<SQLPOINTER>(value, c.quietMode);
                if (length) *length = sizeof(SQLPOINTER);
                return SQL_SUCCESS;
            case SQL_ATTR_CURRENT_CATALOG: {
                if (!c.database) throw DriverError("08003", "Connection not open.", 0);
                if (bufferLength < 0)
                    throw DriverError("HY090", "Invalid string or buffer length.", 0);
                const bool cut =
                    wide ? CopyWide(DecodeUtf8(c.database->catalog_name()), value, bufferLength,
                                    length, true)
                         : CopyText(c.database->catalog_name(), value, bufferLength, length);
                if (cut && value) {
                    c.diag.AddWarning("01004");
                    return SQL_SUCCESS_WITH_INFO;
                }
                return SQL_SUCCESS;
            }
            default:
                break;
        }
        if (!IsStatementAttribute(attribute)) {
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
        }
        GetStatementAttribute(c.statementDefaults, attribute, value, length);
        return SQL_SUCCESS;
    });
}

}  // namespace

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER) {
    return SetConnectAttr(handle, attribute, value);
}

// The text attributes are refused or ignored, so no text is read.
SQLRETURN SQL_API SQLSetConnectAttrW(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                                     SQLINTEGER) {
    return SetConnectAttr(handle, attribute, value);
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER bufferLength, SQLINTEGER* length) {
    return GetConnectAttr(handle, attribute, value, bufferLength, length, false);
}

SQLRETURN SQL_API SQLGetConnectAttrW(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                                     SQLINTEGER bufferLength, SQLINTEGER* length) {
    return GetConnectAttr(handle, attribute, value, bufferLength, length, true);
}

SQLRETURN SQL_API SQLNativeSql(SQLHDBC handle, SQLCHAR* in, SQLINTEGER inLength, SQLCHAR* out,
                               SQLINTEGER outMax, SQLINTEGER* outLength) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        const std::string sql = RequiredText(in, inLength);
        if (outMax < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
        if (CopyText(sql, out, outMax, outLength) && out) {
            c.diag.AddWarning("01004");
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLNativeSqlW(SQLHDBC handle, SQLWCHAR* in, SQLINTEGER inLength, SQLWCHAR* out,
                                SQLINTEGER outMax, SQLINTEGER* outLength) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        const std::optional<Utf16> sql = WideArgument(in, inLength);
        if (!sql) throw DriverError("HY009", "Invalid use of null pointer.", 0);
        if (outMax < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
        if (CopyWide(*sql, out, outMax, outLength, false) && out) {
            c.diag.AddWarning("01004");
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    });
}
