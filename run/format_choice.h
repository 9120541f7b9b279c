// The formats a run tries, in the order it tries them, and the choice of the
// format that fits the file.
#pragma once

#include <cstddef>
#include <map>

#include "schema/import_type.h"

// The 24 formats in the order the run tries them. The order decides only the
// order of database access (and of any driver diagnostics), not the choice.
extern const eImportType kFormatTryOrder[24];

// Score of a format whose detection test could not run.
constexpr unsigned kScoreUnusable = 1000;

// Score of one try: kScoreUnusable when the test returned false, otherwise
// the sum of its three discrepancy counters, capped at kScoreUnusable.
unsigned ScoreDetection(bool testRan, const unsigned counters[3]);

// Chooses the lowest-numbered format whose score is 0. Returns false (and
// leaves chosen alone) when no format scored 0.
bool ChooseFormat(const std::map<eImportType, unsigned>& scores, eImportType* chosen);
