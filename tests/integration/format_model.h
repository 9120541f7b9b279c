// The comparison rules of format detection, worked out independently of the
// detection code from the formats' declarations: which format a file laid
// out in one format must be reported as.
#pragma once

#include "schema/import_type.h"

// The score that format tested gets on a file whose tables are laid out
// exactly as fileFormat declares them.
unsigned ExpectedScore(eImportType tested, eImportType fileFormat);

// The lowest-numbered format whose score on such a file is 0.
eImportType ExpectedFormat(eImportType fileFormat);
