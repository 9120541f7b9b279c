// The detection test of one BWS format against the file named by
// getFileName().
#pragma once

#include "platform/cstring.h"
#include "schema/import_type.h"

// Compares the file with the format. Appends its messages to errorText and
// adds the discrepancies it finds to the three counters. Returns false when
// the test could not run (no database connection, or a table probe failed);
// true otherwise, the counters then holding the discrepancies.
bool DetectFormat(eImportType format, CString& errorText, unsigned counters[3]);
