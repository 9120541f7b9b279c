// What the driver says about itself: the answers to SQLGetInfo and the list
// of ODBC functions it provides (SQLGetFunctions), which the driver manager
// reads to decide which calls it passes on. The function list must match the
// entry points the library exports.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

namespace jetodbc {

class Database;

// The SQL_API_ identifiers of the functions the driver provides.
const std::vector<SQLUSMALLINT>& SupportedFunctions();

// SQLGetFunctions(id) into supported: one flag, the 100-flag ODBC 2 array
// (SQL_API_ALL_FUNCTIONS) or the ODBC 3 bitmap (SQL_API_ODBC3_ALL_FUNCTIONS).
void GetFunctions(SQLUSMALLINT id, SQLUSMALLINT* supported);

// One SQLGetInfo answer: text, or a number of the width the info type has.
struct InfoValue {
    enum class Kind { Text, Small, Integer } kind = Kind::Text;
    std::string text;
    SQLUINTEGER number = 0;
};

// The answer to SQLGetInfo(infoType) for a connection to db (null when not
// connected). Throws DriverError HY096 for an info type the driver does not
// answer and 08003 for one that needs a connection when there is none.
InfoValue GetInfo(SQLUSMALLINT infoType, const Database* db, const std::string& dataSource);

}  // namespace jetodbc
