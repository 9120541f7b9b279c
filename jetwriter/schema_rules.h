// The rules a table's name and columns must follow before a Jet 4 file is
// written (listed in database.h). Rows are checked as they are encoded
// (row_encoder.h).
#pragma once

#include <cstddef>
#include <string>

#include "jetwriter/database.h"

namespace jetwriter {

constexpr size_t kMaxNameLength = 64;  // UTF-16 code units
constexpr size_t kMaxColumns = 255;
constexpr int kMaxTextLength = 255;
constexpr int kMaxNumericPrecision = 28;

// The name of the system catalog, which every file has.
extern const char* const kCatalogName;

// Returns an empty string when name can name a table or a column, else what
// is wrong with it.
std::string CheckObjectName(const std::string& name);

// True when a and b are the same name for Access: equal but for the case of
// ASCII letters.
bool SameName(const std::string& a, const std::string& b);

// Returns an empty string when the table's name and columns follow the rules,
// else what is wrong (naming the column at fault). Does not look at rows.
std::string CheckTableSchema(const Table& table);

}  // namespace jetwriter
