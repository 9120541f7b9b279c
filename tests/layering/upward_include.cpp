// Compiled as part of the database layer, which sits below the run layer: the
// second include must not be found, so this file must never compile.
#include "db/connection.h"
#include "run/run_log.h"
