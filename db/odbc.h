// The ODBC call-level interface: Windows' driver manager on Windows, unixODBC
// elsewhere. Single-byte entry points only.
#pragma once

#ifdef _WIN32
#include "platform/win32_types.h"
#endif
#include <sql.h>
#include <sqlext.h>
