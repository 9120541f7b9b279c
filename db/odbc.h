// The ODBC call-level interface: Windows' driver manager on Windows, unixODBC
// elsewhere. Single-byte entry points only, but for the connection on
// Windows, which passes the file's path as UTF-16.
#pragma once

#ifdef _WIN32
#include "platform/win32_types.h"
#endif
#include <sql.h>
#include <sqlext.h>
