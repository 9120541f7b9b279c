#include "jetodbc/sql_type_info.h"

namespace jetodbc {

namespace {

constexpr SQLULEN kLongSize = 1073741823;  // what Access reports for memo and OLE

SqlTypeInfo Make(SQLSMALLINT type, SQLULEN size, SQLSMALLINT digits, SQLLEN display, SQLLEN octets,
                 const char* name) {
    SqlTypeInfo t;
    t.type = type;
    t.columnSize = size;
    t.decimalDigits = digits;
    t.displaySize = display;
    t.octetLength = octets;
    t.typeName = name;
    return t;
}

SqlTypeInfo Numeric(SqlTypeInfo t) {
    t.radix = 10;
    return t;
}

SqlTypeInfo Quoted(SqlTypeInfo t, const char* prefix, const char* suffix) {
    t.literalPrefix = prefix;
    t.literalSuffix = suffix;
    return t;
}

}  // namespace

SqlTypeInfo DescribeColumnType(const ColumnLayout& layout, bool jet3, bool autoNumber) {
    switch (layout.type) {
        case kJetBool:
            return Make(SQL_BIT, 1, 0, 1, 1, "BIT");
        case kJetByte: {
            SqlTypeInfo t = Numeric(Make(SQL_TINYINT, 3, 0, 3, 1, "BYTE"));
            t.isUnsigned = true;
            return t;
        }
        case kJetInt:
            return Numeric(Make(SQL_SMALLINT, 5, 0, 6, 2, "SMALLINT"));
        case kJetLong:
        case kJetComplex:
            return Numeric(Make(SQL_INTEGER, 10, 0, 11, 4, autoNumber ? "COUNTER" : "INTEGER"));
        case kJetMoney: {
            SqlTypeInfo t = Numeric(Make(SQL_NUMERIC, 19, 4, 21, 21, "CURRENCY"));
            t.fixedPrecScale = true;
            return t;
        }
        case kJetFloat:
            return Numeric(Make(SQL_REAL, 7, 0, 14, 4, "REAL"));
        case kJetDouble:
            return Numeric(Make(SQL_DOUBLE, 15, 0, 24, 8, "DOUBLE"));
        case kJetDateTime:
            return Quoted(Make(SQL_TYPE_TIMESTAMP, 19, 0, 19, 16, "DATETIME"), "#", "#");
        case kJetNumeric: {
            const SQLULEN precision = layout.precision ? layout.precision : 18;
            return Numeric(Make(SQL_NUMERIC, precision, layout.scale,
                                static_cast<SQLLEN>(precision + 2),
                                static_cast<SQLLEN>(precision + 2), "DECIMAL"));
        }
        case kJetText: {
            const SQLULEN chars = jet3 ? layout.size : layout.size / 2;
            return Quoted(Make(SQL_VARCHAR, chars, 0, static_cast<SQLLEN>(chars),
                               static_cast<SQLLEN>(chars), "VARCHAR"),
                          "'", "'");
        }
        case kJetMemo:
            return Quoted(Make(SQL_LONGVARCHAR, kLongSize, 0, kLongSize, kLongSize, "LONGCHAR"),
                          "'", "'");
        case kJetBinary:
            return Quoted(Make(SQL_BINARY, layout.size, 0, 2 * static_cast<SQLLEN>(layout.size),
                               layout.size, "BINARY"),
                          "0x", "");
        case kJetGuid:
            return Quoted(Make(SQL_GUID, 36, 0, 36, 16, "GUID"), "{guid ", "}");
        case kJetOle:
        default:
            return Quoted(Make(SQL_LONGVARBINARY, kLongSize, 0, kLongSize, kLongSize, "LONGBINARY"),
                          "0x", "");
    }
}

SqlTypeInfo VarcharType(SQLULEN length) {
    return Make(SQL_VARCHAR, length, 0, static_cast<SQLLEN>(length), static_cast<SQLLEN>(length),
                "VARCHAR");
}

SqlTypeInfo SmallintType() { return Numeric(Make(SQL_SMALLINT, 5, 0, 6, 2, "SMALLINT")); }

SqlTypeInfo IntegerType() { return Numeric(Make(SQL_INTEGER, 10, 0, 11, 4, "INTEGER")); }

SQLSMALLINT TypeForVersion(SQLSMALLINT type, int odbcVersion) {
    if (odbcVersion != SQL_OV_ODBC2) return type;
    switch (type) {
        case SQL_TYPE_DATE:
            return SQL_DATE;
        case SQL_TYPE_TIME:
            return SQL_TIME;
        case SQL_TYPE_TIMESTAMP:
            return SQL_TIMESTAMP;
        default:
            return type;
    }
}

}  // namespace jetodbc
