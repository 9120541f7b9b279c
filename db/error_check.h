// ODBCErrorCheck: the one place where an ODBC return code is judged and the
// driver's diagnostic records are printed.
#pragma once

#include <string>

#include "db/odbc.h"

// Judges returnCode of a call on handle (of kind handleType: SQL_HANDLE_ENV,
// SQL_HANDLE_DBC or SQL_HANDLE_STMT). SQL_SUCCESS and SQL_SUCCESS_WITH_INFO
// give true; SQL_SUCCESS_WITH_INFO prints nothing (with reportInfo its
// records are read and dropped). Every other code gives false and prints
// each diagnostic record to standard output as three lines (state, native
// code, message without the driver's three bracketed names); an invalid
// handle prints nothing.
bool ODBCErrorCheck(void* handle, short handleType, short returnCode, bool reportInfo);

// The message text that ODBCErrorCheck prints for a driver message: what
// follows three leading bracketed names, or the whole message.
std::string ShortenDriverMessage(const char* message);
