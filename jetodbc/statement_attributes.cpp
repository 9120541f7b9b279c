#include "jetodbc/statement_attributes.h"

#include <cstring>

#include "jetodbc/driver_error.h"

namespace jetodbc {

namespace {

SQLULEN Number(SQLPOINTER value) { return reinterpret_cast<SQLULEN>(value); }

DriverError InvalidValue() { return DriverError("HY024", "Invalid attribute value.", 0); }

SQLRETURN Substituted(std::string* warning) {
    *warning = "01S02";
    return SQL_SUCCESS_WITH_INFO;
}

}  // namespace

bool IsCursorAttribute(SQLINTEGER attribute) {
    return attribute == SQL_ATTR_CONCURRENCY || attribute == SQL_ATTR_CURSOR_TYPE ||
           attribute == SQL_ATTR_CURSOR_SCROLLABLE || attribute == SQL_ATTR_CURSOR_SENSITIVITY ||
           attribute == SQL_ATTR_USE_BOOKMARKS || attribute == SQL_ATTR_SIMULATE_CURSOR;
}

bool IsStatementAttribute(SQLINTEGER attribute) {
    switch (attribute) {
        case SQL_ATTR_CONCURRENCY:
        case SQL_ATTR_CURSOR_TYPE:
        case SQL_ATTR_CURSOR_SCROLLABLE:
        case SQL_ATTR_CURSOR_SENSITIVITY:
        case SQL_ATTR_ROW_ARRAY_SIZE:
        case SQL_ROWSET_SIZE:
        case SQL_ATTR_ROW_BIND_TYPE:
        case SQL_ATTR_ROW_BIND_OFFSET_PTR:
        case SQL_ATTR_ROW_STATUS_PTR:
        case SQL_ATTR_ROWS_FETCHED_PTR:
        case SQL_ATTR_MAX_ROWS:
        case SQL_ATTR_MAX_LENGTH:
        case SQL_ATTR_QUERY_TIMEOUT:
        case SQL_ATTR_KEYSET_SIZE:
        case SQL_ATTR_NOSCAN:
        case SQL_ATTR_RETRIEVE_DATA:
        case SQL_ATTR_SIMULATE_CURSOR:
        case SQL_ATTR_METADATA_ID:
        case SQL_ATTR_USE_BOOKMARKS:
        case SQL_ATTR_ASYNC_ENABLE:
        case SQL_ATTR_PARAMSET_SIZE:
        case SQL_ATTR_PARAM_BIND_TYPE:
        case SQL_ATTR_PARAM_BIND_OFFSET_PTR:
        case SQL_ATTR_PARAM_OPERATION_PTR:
        case SQL_ATTR_PARAM_STATUS_PTR:
        case SQL_ATTR_PARAMS_PROCESSED_PTR:
        case SQL_ATTR_ENABLE_AUTO_IPD:
        case SQL_ATTR_FETCH_BOOKMARK_PTR:
            return true;
        default:
            return false;
    }
}

SQLRETURN SetStatementAttribute(StatementAttributes& a, SQLINTEGER attribute, SQLPOINTER value,
                                std::string* warning) {
    const SQLULEN v = Number(value);
    switch (attribute) {
        case SQL_ATTR_CONCURRENCY:
            if (v == SQL_CONCUR_READ_ONLY) {
                a.concurrency = v;
                return SQL_SUCCESS;
            }
            if (v != SQL_CONCUR_LOCK && v != SQL_CONCUR_ROWVER && v != SQL_CONCUR_VALUES) {
                throw InvalidValue();
            }
            a.concurrency = SQL_CONCUR_READ_ONLY;
            return Substituted(warning);
        case SQL_ATTR_CURSOR_TYPE:
            if (v == SQL_CURSOR_FORWARD_ONLY || v == SQL_CURSOR_STATIC ||
                v == SQL_CURSOR_KEYSET_DRIVEN) {
                a.cursorType = v;
                return SQL_SUCCESS;
            }
            if (v != SQL_CURSOR_DYNAMIC) throw InvalidValue();
            a.cursorType = SQL_CURSOR_KEYSET_DRIVEN;
            return Substituted(warning);
        case SQL_ATTR_CURSOR_SCROLLABLE:
            if (v == SQL_NONSCROLLABLE) {
                a.cursorType = SQL_CURSOR_FORWARD_ONLY;
            } else if (v == SQL_SCROLLABLE) {
                if (a.cursorType == SQL_CURSOR_FORWARD_ONLY) a.cursorType = SQL_CURSOR_STATIC;
            } else {
                throw InvalidValue();
            }
            return SQL_SUCCESS;
        case SQL_ATTR_CURSOR_SENSITIVITY:
            if (v == SQL_UNSPECIFIED || v == SQL_INSENSITIVE) {
                a.sensitivity = v;
                return SQL_SUCCESS;
            }
            if (v != SQL_SENSITIVE) throw InvalidValue();
            a.sensitivity = SQL_INSENSITIVE;
            return Substituted(warning);
        case SQL_ATTR_ROW_ARRAY_SIZE:
        case SQL_ROWSET_SIZE:
            if (v == 0) throw InvalidValue();
            a.rowArraySize = v;
            return SQL_SUCCESS;
        case SQL_ATTR_ROW_BIND_TYPE:
            a.rowBindType = v;
            return SQL_SUCCESS;
        case SQL_ATTR_ROW_BIND_OFFSET_PTR:
            a.bindOffset = static_cast<SQLULEN*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_ROW_STATUS_PTR:
            a.rowStatus = static_cast<SQLUSMALLINT*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_ROWS_FETCHED_PTR:
            a.rowsFetched = static_cast<SQLULEN*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_MAX_ROWS:
            a.maxRows = v;
            return SQL_SUCCESS;
        case SQL_ATTR_MAX_LENGTH:
            a.maxLength = v;
            return SQL_SUCCESS;
        case SQL_ATTR_QUERY_TIMEOUT:
            a.queryTimeout = v;
            return SQL_SUCCESS;
        case SQL_ATTR_KEYSET_SIZE:
            a.keysetSize = v;
            return SQL_SUCCESS;
        case SQL_ATTR_NOSCAN:
            if (v != SQL_NOSCAN_OFF && v != SQL_NOSCAN_ON) throw InvalidValue();
            a.noScan = v;
            return SQL_SUCCESS;
        case SQL_ATTR_RETRIEVE_DATA:
            if (v != SQL_RD_ON && v != SQL_RD_OFF) throw InvalidValue();
            a.retrieveData = v;
            return SQL_SUCCESS;
        case SQL_ATTR_SIMULATE_CURSOR:
            if (v != SQL_SC_NON_UNIQUE && v != SQL_SC_TRY_UNIQUE && v != SQL_SC_UNIQUE) {
                throw InvalidValue();
            }
            a.simulateCursor = v;
            return SQL_SUCCESS;
        case SQL_ATTR_METADATA_ID:
            if (v != SQL_FALSE && v != SQL_TRUE) throw InvalidValue();
            a.metadataId = v;
            return SQL_SUCCESS;
        case SQL_ATTR_USE_BOOKMARKS:
            if (v == SQL_UB_OFF) return SQL_SUCCESS;
            throw DriverError("HYC00", "Bookmarks are not supported.", 0);
        case SQL_ATTR_ASYNC_ENABLE:
            if (v == SQL_ASYNC_ENABLE_OFF) return SQL_SUCCESS;
            throw DriverError("HYC00", "Asynchronous execution is not supported.", 0);
        case SQL_ATTR_ENABLE_AUTO_IPD:
            if (v == SQL_FALSE) return SQL_SUCCESS;
            throw DriverError("HYC00", "Automatic parameter description is not supported.", 0);
        case SQL_ATTR_PARAMSET_SIZE:
            if (v == 0) throw InvalidValue();
            a.paramsetSize = v;
            return SQL_SUCCESS;
        case SQL_ATTR_PARAM_BIND_TYPE:
            a.paramBindType = v;
            return SQL_SUCCESS;
        case SQL_ATTR_PARAM_BIND_OFFSET_PTR:
            a.paramBindOffset = static_cast<SQLULEN*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_PARAM_OPERATION_PTR:
            a.paramOperation = static_cast<SQLUSMALLINT*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_PARAM_STATUS_PTR:
            a.paramStatus = static_cast<SQLUSMALLINT*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_PARAMS_PROCESSED_PTR:
            a.paramsProcessed = static_cast<SQLULEN*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_FETCH_BOOKMARK_PTR:
            throw DriverError("HYC00", "Bookmarks are not supported.", 0);
        default:
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
    }
}

void GetStatementAttribute(const StatementAttributes& a, SQLINTEGER attribute, SQLPOINTER value,
                           SQLINTEGER* length) {
    auto number = [&](SQLULEN v) {
        if (value) std::memcpy(value, &v, sizeof v);
        if (length) *length = sizeof v;
    };
    auto pointer = [&](void* p) {
        if (value) std::memcpy(value, &p, sizeof p);
        if (length) *length = sizeof p;
    };
    switch (attribute) {
        case SQL_ATTR_CONCURRENCY:
            number(a.concurrency);
            return;
        case SQL_ATTR_CURSOR_TYPE:
            number(a.cursorType);
            return;
        case SQL_ATTR_CURSOR_SCROLLABLE:
            number(a.cursorType == SQL_CURSOR_FORWARD_ONLY ? SQL_NONSCROLLABLE : SQL_SCROLLABLE);
            return;
        case SQL_ATTR_CURSOR_SENSITIVITY:
            number(a.sensitivity);
            return;
        case SQL_ATTR_ROW_ARRAY_SIZE:
        case SQL_ROWSET_SIZE:
            number(a.rowArraySize);
            return;
        case SQL_ATTR_ROW_BIND_TYPE:
            number(a.rowBindType);
            return;
        case SQL_ATTR_ROW_BIND_OFFSET_PTR:
            pointer(a.bindOffset);
            return;
        case SQL_ATTR_ROW_STATUS_PTR:
            pointer(a.rowStatus);
            return;
        case SQL_ATTR_ROWS_FETCHED_PTR:
            pointer(a.rowsFetched);
            return;
        case SQL_ATTR_MAX_ROWS:
            number(a.maxRows);
            return;
        case SQL_ATTR_MAX_LENGTH:
            number(a.maxLength);
            return;
        case SQL_ATTR_QUERY_TIMEOUT:
            number(a.queryTimeout);
            return;
        case SQL_ATTR_KEYSET_SIZE:
            number(a.keysetSize);
            return;
        case SQL_ATTR_NOSCAN:
            number(a.noScan);
            return;
        case SQL_ATTR_RETRIEVE_DATA:
            number(a.retrieveData);
            return;
        case SQL_ATTR_SIMULATE_CURSOR:
            number(a.simulateCursor);
            return;
        case SQL_ATTR_METADATA_ID:
            number(a.metadataId);
            return;
        case SQL_ATTR_USE_BOOKMARKS:
            number(SQL_UB_OFF);
            return;
        case SQL_ATTR_ASYNC_ENABLE:
            number(SQL_ASYNC_ENABLE_OFF);
            return;
        case SQL_ATTR_ENABLE_AUTO_IPD:
            number(SQL_FALSE);
            return;
        case SQL_ATTR_PARAMSET_SIZE:
            number(a.paramsetSize);
            return;
        case SQL_ATTR_PARAM_BIND_TYPE:
            number(a.paramBindType);
            return;
        case SQL_ATTR_PARAM_BIND_OFFSET_PTR:
            pointer(a.paramBindOffset);
            return;
        case SQL_ATTR_PARAM_OPERATION_PTR:
            pointer(a.paramOperation);
            return;
        case SQL_ATTR_PARAM_STATUS_PTR:
            pointer(a.paramStatus);
            return;
        case SQL_ATTR_PARAMS_PROCESSED_PTR:
            pointer(a.paramsProcessed);
            return;
        default:
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
    }
}

}  // namespace jetodbc
