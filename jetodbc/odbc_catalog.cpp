// ODBC entry points of the catalog functions, ANSI and wide. Names reach
// the statement in UTF-8.
#include <sql.h>
#include <sqlext.h>

#include "jetodbc/entry_guard.h"
#include "jetodbc/statement.h"
#include "jetodbc/wide_text.h"

using namespace jetodbc;

SQLRETURN SQL_API SQLTables(SQLHSTMT handle, SQLCHAR* catalog, SQLSMALLINT catalogLength,
                            SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                            SQLSMALLINT tableLength, SQLCHAR* types, SQLSMALLINT typesLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Tables(AnsiToUtf8(ArgumentText(catalog, catalogLength)),
                        AnsiToUtf8(ArgumentText(schema, schemaLength)),
                        AnsiToUtf8(ArgumentText(table, tableLength)),
                        AnsiToUtf8(ArgumentText(types, typesLength)));
    });
}

SQLRETURN SQL_API SQLColumns(SQLHSTMT handle, SQLCHAR* catalog, SQLSMALLINT catalogLength,
                             SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                             SQLSMALLINT tableLength, SQLCHAR* column, SQLSMALLINT columnLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Columns(AnsiToUtf8(ArgumentText(catalog, catalogLength)),
                         AnsiToUtf8(ArgumentText(schema, schemaLength)),
                         AnsiToUtf8(ArgumentText(table, tableLength)),
                         AnsiToUtf8(ArgumentText(column, columnLength)));
    });
}

SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT handle, SQLSMALLINT dataType) {
    return Guarded<Statement>(handle, kStatementTag,
                              [&](Statement& s) { return s.GetTypeInfo(dataType); });
}

SQLRETURN SQL_API SQLTablesW(SQLHSTMT handle, SQLWCHAR* catalog, SQLSMALLINT catalogLength,
                             SQLWCHAR* schema, SQLSMALLINT schemaLength, SQLWCHAR* table,
                             SQLSMALLINT tableLength, SQLWCHAR* types, SQLSMALLINT typesLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Tables(WideArgumentUtf8(catalog, catalogLength),
                        WideArgumentUtf8(schema, schemaLength),
                        WideArgumentUtf8(table, tableLength), WideArgumentUtf8(types, typesLength));
    });
}

SQLRETURN SQL_API SQLColumnsW(SQLHSTMT handle, SQLWCHAR* catalog, SQLSMALLINT catalogLength,
                              SQLWCHAR* schema, SQLSMALLINT schemaLength, SQLWCHAR* table,
                              SQLSMALLINT tableLength, SQLWCHAR* column, SQLSMALLINT columnLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Columns(
            WideArgumentUtf8(catalog, catalogLength), WideArgumentUtf8(schema, schemaLength),
            WideArgumentUtf8(table, tableLength), WideArgumentUtf8(column, columnLength));
    });
}

SQLRETURN SQL_API SQLGetTypeInfoW(SQLHSTMT handle, SQLSMALLINT dataType) {
    return Guarded<Statement>(handle, kStatementTag,
                              [&](Statement& s) { return s.GetTypeInfo(dataType); });
}

SQLRETURN SQL_API SQLStatistics(SQLHSTMT handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                SQLCHAR* table, SQLSMALLINT tableLength, SQLUSMALLINT unique,
                                SQLUSMALLINT reserved) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Statistics(AnsiToUtf8(ArgumentText(table, tableLength)), unique, reserved);
    });
}

SQLRETURN SQL_API SQLStatisticsW(SQLHSTMT handle, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT,
                                 SQLWCHAR* table, SQLSMALLINT tableLength, SQLUSMALLINT unique,
                                 SQLUSMALLINT reserved) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Statistics(WideArgumentUtf8(table, tableLength), unique, reserved);
    });
}

SQLRETURN SQL_API SQLPrimaryKeys(SQLHSTMT handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                 SQLCHAR* table, SQLSMALLINT tableLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.PrimaryKeys(AnsiToUtf8(ArgumentText(table, tableLength)));
    });
}

SQLRETURN SQL_API SQLPrimaryKeysW(SQLHSTMT handle, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT,
                                  SQLWCHAR* table, SQLSMALLINT tableLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.PrimaryKeys(WideArgumentUtf8(table, tableLength));
    });
}

SQLRETURN SQL_API SQLSpecialColumns(SQLHSTMT handle, SQLUSMALLINT identifierType, SQLCHAR*,
                                    SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR* table,
                                    SQLSMALLINT tableLength, SQLUSMALLINT, SQLUSMALLINT) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.SpecialColumns(identifierType, AnsiToUtf8(ArgumentText(table, tableLength)));
    });
}

SQLRETURN SQL_API SQLSpecialColumnsW(SQLHSTMT handle, SQLUSMALLINT identifierType, SQLWCHAR*,
                                     SQLSMALLINT, SQLWCHAR*, SQLSMALLINT, SQLWCHAR* table,
                                     SQLSMALLINT tableLength, SQLUSMALLINT, SQLUSMALLINT) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.SpecialColumns(identifierType, WideArgumentUtf8(table, tableLength));
    });
}
