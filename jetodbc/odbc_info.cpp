// ODBC entry points that describe the driver: SQLGetInfo (ANSI and wide) and
// SQLGetFunctions.
#include <sql.h>
#include <sqlext.h>

#include "jetodbc/driver_info.h"
#include "jetodbc/entry_guard.h"
#include "jetodbc/out_string.h"
#include "jetodbc/wide_text.h"

using namespace jetodbc;

namespace {

// SQLGetInfo; text answers in UTF-16 when wide (bufferLength in bytes).
SQLRETURN Info(SQLHDBC handle, SQLUSMALLINT infoType, SQLPOINTER value, SQLSMALLINT bufferLength,
               SQLSMALLINT* length, bool wide) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection& c) {
        const InfoValue info = GetInfo(infoType, c.database.get(), "");
        switch (info.kind) {
            case InfoValue::Kind::Small:
                StoreNumber<SQLUSMALLINT>(value, info.number);
                if (length) *length = sizeof(SQLUSMALLINT);
                return SQL_SUCCESS;
            case InfoValue::Kind::Integer:
                StoreNumber<SQLUINTEGER>(value, info.number);
                if (length) *length = sizeof(SQLUINTEGER);
                return SQL_SUCCESS;
            case InfoValue::Kind::Text:
                break;
        }
        if (bufferLength < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
        const bool cut = wide ? CopyWide(DecodeCp1252(info.text), value, bufferLength, length, true)
                              : CopyText(info.text, value, bufferLength, length);
        if (cut && value) {
            c.diag.AddWarning("01004");
            return SQL_SUCCESS_WITH_INFO;
        }
        return SQL_SUCCESS;
    });
}

}  // namespace

SQLRETURN SQL_API SQLGetInfo(SQLHDBC handle, SQLUSMALLINT infoType, SQLPOINTER value,
                             SQLSMALLINT bufferLength, SQLSMALLINT* length) {
    return Info(handle, infoType, value, bufferLength, length, false);
}

SQLRETURN SQL_API SQLGetInfoW(SQLHDBC handle, SQLUSMALLINT infoType, SQLPOINTER value,
                              SQLSMALLINT bufferLength, SQLSMALLINT* length) {
    return Info(handle, infoType, value, bufferLength, length, true);
}

SQLRETURN SQL_API SQLGetFunctions(SQLHDBC handle, SQLUSMALLINT id, SQLUSMALLINT* supported) {
    return Guarded<Connection>(handle, kConnectionTag, [&](Connection&) {
        if (!supported) throw DriverError("HY009", "Invalid use of null pointer.", 0);
        GetFunctions(id, supported);
        return SQL_SUCCESS;
    });
}
