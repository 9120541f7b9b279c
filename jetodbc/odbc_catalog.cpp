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
