// The ODBC connection to the BWS file: one per thread, made on first use from
// the stored BWS file name and kept until the process ends. The connection
// table and the ODBC environment are guarded by the database mutex.
#pragma once

#include <cstddef>
#include <string>

#include "db/odbc.h"

// Size of the buffer that getConnectionString fills.
constexpr std::size_t kConnectionStringSize = 1024;

// The connection string for a BWS file path:
// "DBQ=<path>; DRIVER={Microsoft Access Driver (*.mdb)}; ExtendedAnsiSQL=1;".
// A path holding ';', '{' or '}' is braced, with '}' doubled, so that it
// names that file and nothing else; every other path stands as it is.
std::string BuildConnectionString(const std::string& path);

// Writes the connection string for the stored BWS file name into buffer,
// which must hold kConnectionStringSize bytes, and returns buffer. When the
// string does not fit, buffer receives the empty string instead.
char* getConnectionString(char* buffer);

// The calling thread's connection, made on first use; 0 when none could be
// made (the driver's diagnostics have then been printed). A later call tries
// again, unless the driver refused the file itself (state HY000): then, until
// CloseAllConnections, a call for the same file prints that refusal's
// diagnostics again and returns 0 without connecting.
SQLHDBC GetConnection();

// Disconnects and frees every connection and the environment. Registered as
// an exit handler by the run.
void CloseAllConnections();
