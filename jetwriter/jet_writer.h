// Writes a Database (database.h) as a Jet 3 (Access 97) or Jet 4 (Access
// 2000) file, as its format says, that MDB Tools reads back field for field. The file has the
// header page, the system catalog and, per table, its definition, data pages, long-value pages and
// usage maps; no indexes and no other system tables. The same Database always
// gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jetwriter/database.h"
#include "jetwriter/image_file.h"

namespace jetwriter {

// What stopped a file from being built, and where.
struct WriteProblem {
    static constexpr size_t kNone = static_cast<size_t>(-1);
    std::string message;
    size_t table = kNone;   // index into Database::tables, or kNone
    size_t row = kNone;     // index into that table's rows, or kNone
    size_t column = kNone;  // index into that table's columns (for a column's own fault), or kNone
};

// Builds the whole file in memory. Returns true and sets *image, or returns
// false and sets *problem when the database breaks a rule of database.h or
// a table spans more pages than its usage map can mark.
bool BuildJetImage(const Database& database, std::vector<uint8_t>* image, WriteProblem* problem);

// problem as one line: "table T, row N: message" (N counted from 1).
std::string DescribeProblem(const Database& database, const WriteProblem& problem);

// Builds the file and writes it to path as WriteImageFile (image_file.h)
// does. Returns an empty string on success, else the reason (DescribeProblem
// for a faulty database, and then nothing is written).
std::string WriteJetFile(const std::string& path, const Database& database,
                         ExistingFile existing = ExistingFile::kKeep);

}  // namespace jetwriter
