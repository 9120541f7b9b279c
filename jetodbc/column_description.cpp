#include "jetodbc/column_description.h"

#include "jetodbc/driver_error.h"
#include "jetodbc/out_string.h"
#include "jetodbc/wide_text.h"

namespace jetodbc {

namespace {

// The verbose type ODBC 3 reports in SQL_DESC_TYPE (datetime types as SQL_DATETIME).
SQLSMALLINT VerboseType(SQLSMALLINT concise) {
    return concise == SQL_TYPE_TIMESTAMP || concise == SQL_TYPE_DATE || concise == SQL_TYPE_TIME
               ? SQL_DATETIME
               : concise;
}

}  // namespace

SqlTypeInfo WideClientType(const SqlTypeInfo& type) {
    SqlTypeInfo t = type;
    if (t.type == SQL_VARCHAR) {
        t.type = SQL_WVARCHAR;
        t.octetLength = static_cast<SQLLEN>(t.columnSize * 2);
    } else if (t.type == SQL_LONGVARCHAR) {
        t.type = SQL_WLONGVARCHAR;
    }
    return t;
}

Utf16 WideColumnName(const ResultColumn& column) {
    return column.wideName.empty() ? DecodeCp1252(column.name) : column.wideName;
}

SQLRETURN DescribeColumn(const ResultColumn& column, int odbcVersion, bool wide, void* name,
                         SQLSMALLINT bufferLength, SQLSMALLINT* nameLength, SQLSMALLINT* dataType,
                         SQLULEN* columnSize, SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable,
                         std::string* warning) {
    if (bufferLength < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
    SQLRETURN rc = SQL_SUCCESS;
    const bool cut = wide ? CopyWide(WideColumnName(column), name, bufferLength, nameLength, false)
                          : CopyText(column.name, name, bufferLength, nameLength);
    if (cut && name) {
        *warning = "01004";
        rc = SQL_SUCCESS_WITH_INFO;
    }
    const SqlTypeInfo type = wide ? WideClientType(column.type) : column.type;
    if (dataType) *dataType = TypeForVersion(type.type, odbcVersion);
    if (columnSize) *columnSize = column.type.columnSize;
    if (decimalDigits) *decimalDigits = column.type.decimalDigits;
    if (nullable) *nullable = column.nullable;
    return rc;
}

SQLRETURN ColumnAttribute(const ResultColumn& column, SQLSMALLINT columnCount, int odbcVersion,
                          bool wide, const std::string& catalog, SQLUSMALLINT field,
                          SQLPOINTER characterAttribute, SQLSMALLINT bufferLength,
                          SQLSMALLINT* stringLength, SQLLEN* numericAttribute,
                          std::string* warning) {
    // Text answers: s in Windows-1252, or whole when given for a wide client.
    auto text = [&](const std::string& s, const Utf16* whole = nullptr) {
        if (bufferLength < 0 && characterAttribute) {
            throw DriverError("HY090", "Invalid string or buffer length.", 0);
        }
        const bool cut = wide ? CopyWide(whole ? *whole : DecodeCp1252(s), characterAttribute,
                                         bufferLength, stringLength, true)
                              : CopyText(s, characterAttribute, bufferLength, stringLength);
        if (cut && characterAttribute) {
            *warning = "01004";
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    };
    auto number = [&](SQLLEN n) {
        if (numericAttribute) *numericAttribute = n;
        return SQL_SUCCESS;
    };
    const SqlTypeInfo t = wide ? WideClientType(column.type) : column.type;
    const Utf16 wideName = WideColumnName(column);
    const SQLSMALLINT concise = TypeForVersion(t.type, odbcVersion);
    switch (field) {
        case SQL_DESC_COUNT:
        case SQL_COLUMN_COUNT:
            return number(columnCount);
        case SQL_DESC_NAME:
        case SQL_COLUMN_NAME:
        case SQL_DESC_LABEL:
        case SQL_DESC_BASE_COLUMN_NAME:
            return text(column.name, &wideName);
        case SQL_DESC_BASE_TABLE_NAME:
        case SQL_DESC_TABLE_NAME:
            return text(column.table, column.table.empty() ? nullptr : &column.wideTable);
        case SQL_DESC_CATALOG_NAME:
            return text(column.table.empty() ? "" : catalog);
        case SQL_DESC_SCHEMA_NAME:
            return text("");
        case SQL_DESC_CONCISE_TYPE:
            return number(concise);
        case SQL_DESC_TYPE:
            return number(odbcVersion == SQL_OV_ODBC2 ? concise : VerboseType(t.type));
        case SQL_DESC_TYPE_NAME:
        case SQL_DESC_LOCAL_TYPE_NAME:
            return text(t.typeName);
        case SQL_DESC_LENGTH:
            return number(static_cast<SQLLEN>(t.columnSize));
        case SQL_COLUMN_LENGTH:
        case SQL_DESC_OCTET_LENGTH:
            return number(t.octetLength);
        case SQL_DESC_PRECISION:
        case SQL_COLUMN_PRECISION:
            return number(t.type == SQL_TYPE_TIMESTAMP ? 0 : static_cast<SQLLEN>(t.columnSize));
        case SQL_DESC_SCALE:
        case SQL_COLUMN_SCALE:
            return number(t.decimalDigits);
        case SQL_DESC_DISPLAY_SIZE:
            return number(t.displaySize);
        case SQL_DESC_NULLABLE:
        case SQL_COLUMN_NULLABLE:
            return number(column.nullable);
        case SQL_DESC_UNSIGNED:
            return number(t.isUnsigned || !t.radix ? SQL_TRUE : SQL_FALSE);
        case SQL_DESC_SEARCHABLE:
            return number(t.searchable);
        case SQL_DESC_UPDATABLE:
            return number(SQL_ATTR_READONLY);
        case SQL_DESC_AUTO_UNIQUE_VALUE:
            return number(column.autoNumber ? SQL_TRUE : SQL_FALSE);
        case SQL_DESC_CASE_SENSITIVE:
            return number(t.caseSensitive ? SQL_TRUE : SQL_FALSE);
        case SQL_DESC_FIXED_PREC_SCALE:
            return number(t.fixedPrecScale ? SQL_TRUE : SQL_FALSE);
        case SQL_DESC_NUM_PREC_RADIX:
            return number(t.radix);
        case SQL_DESC_UNNAMED:
            return number(SQL_NAMED);
        case SQL_DESC_LITERAL_PREFIX:
            return text(t.literalPrefix);
        case SQL_DESC_LITERAL_SUFFIX:
            return text(t.literalSuffix);
        default:
            throw DriverError("HY091", "Invalid descriptor field identifier.", 0);
    }
}

}  // namespace jetodbc
