#include "schema/schema_probe.h"

#include <string_view>

#include "db/connection.h"
#include "db/error_check.h"
#include "db/odbc_statement.h"

namespace {

SQLSMALLINT NormalizedType(SQLSMALLINT reported) {
    switch (reported) {
        case SQL_WLONGVARCHAR:
            return SQL_LONGVARCHAR;
        case SQL_WVARCHAR:
            return SQL_VARCHAR;
        case SQL_WCHAR:
            return SQL_CHAR;
        default:
            return reported;
    }
}

bool ShortAndLong(SQLSMALLINT declared, SQLSMALLINT reported) {
    return (declared == SQL_INTEGER && reported == SQL_SMALLINT) ||
           (declared == SQL_SMALLINT && reported == SQL_INTEGER);
}

}  // namespace

bool IsExemptColumn(const std::string& upperName) {
    const std::string_view name(upperName);
    if (name == "USEBWSSETTINGS") return true;
    static constexpr std::string_view kPrefixes[] = {
        "SHUTDOWN",       "AUTOSHUTDOWN",      "BM2", "CUSTOM_BS", "CUSTOM", "WINNERS",
        "EXTERNALUPDATE", "SUSPICIOUSCONTRACT"};
    for (const std::string_view prefix : kPrefixes) {
        if (name.substr(0, prefix.size()) == prefix) return true;
    }
    return false;
}

bool ProbeTable(BWSbase& record, bool* found) {
    ODBCStatement statement(GetConnection(), ODBCStatement::ForwardOnly);
    if (!statement.IsValid()) return false;
    if (!statement.Tables(record.tableName.GetString(), nullptr, nullptr, "TABLE")) return false;

    SQLRETURN code = SQLFetch(statement);
    if (code == SQL_NO_DATA) {
        if (found != nullptr) *found = false;
        return true;
    }
    if (!ODBCErrorCheck(statement, SQL_HANDLE_STMT, code, true)) return false;

    const unsigned short nameColumn = statement.GetColumnByName("TABLE_NAME");
    if (nameColumn == 0) return false;
    CString name;
    if (!statement.GetString(nameColumn, name, 0)) return false;

    code = SQLFetch(statement);
    if (code != SQL_NO_DATA) {
        ODBCErrorCheck(statement, SQL_HANDLE_STMT, code, true);
        return false;  // a second table matched, or the fetch failed
    }
    if (name.CompareNoCase(record.tableName.GetString()) != 0) return false;
    if (found != nullptr) *found = true;
    return true;
}

bool CheckColumnCount(BWSbase& record, int& shortfall) {
    shortfall = 0;
    int resultCount = 0;
    if (record.stmt.IsValid()) {
        SQLSMALLINT count = 0;
        if (ODBCErrorCheck(record.stmt, SQL_HANDLE_STMT, SQLNumResultCols(record.stmt, &count),
                           true)) {
            resultCount = count;
        }
    }
    const int declared = record.ColumnCount();
    if (declared == resultCount) return true;
    shortfall = declared - resultCount;
    return false;
}

bool CheckColumnNames(const BWSbase& record) {
    for (const BWSbase::ResultColumn& result : record.resultColumns) {
        if (IsExemptColumn(result.name)) continue;
        auto declared = record.columns.find(result.name);
        if (declared == record.columns.end()) return false;
        const SQLSMALLINT reported = NormalizedType(static_cast<SQLSMALLINT>(result.sqlType));
        if (reported == declared->second.sqlType) continue;
        if (ShortAndLong(declared->second.sqlType, reported)) continue;
        return false;
    }
    return true;
}
