// ODBC entry points of the catalog functions.
#include <sql.h>
#include <sqlext.h>

#include "jetodbc/entry_guard.h"
#include "jetodbc/statement.h"

using namespace jetodbc;

SQLRETURN SQL_API SQLTables(SQLHSTMT handle, SQLCHAR* catalog, SQLSMALLINT catalogLength,
                            SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                            SQLSMALLINT tableLength, SQLCHAR* types, SQLSMALLINT typesLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Tables(ArgumentText(catalog, catalogLength), ArgumentText(schema, schemaLength),
                        ArgumentText(table, tableLength), ArgumentText(types, typesLength));
    });
}

SQLRETURN SQL_API SQLColumns(SQLHSTMT handle, SQLCHAR* catalog, SQLSMALLINT catalogLength,
                             SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                             SQLSMALLINT tableLength, SQLCHAR* column, SQLSMALLINT columnLength) {
    return Guarded<Statement>(handle, kStatementTag, [&](Statement& s) {
        return s.Columns(ArgumentText(catalog, catalogLength), ArgumentText(schema, schemaLength),
                         ArgumentText(table, tableLength), ArgumentText(column, columnLength));
    });
}

SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT handle, SQLSMALLINT dataType) {
    return Guarded<Statement>(handle, kStatementTag,
                              [&](Statement& s) { return s.GetTypeInfo(dataType); });
}
