// Reads a database description (the text format of README.md in this
// folder) into a Database, remembering the line of every table, column and
// row so that problems found later, when the file is written, can name a
// line too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jetwriter/database.h"
#include "jetwriter/jet_writer.h"

namespace jetwriter {

struct Description {
    Database database;
    std::vector<size_t> tableLines;                // line of each table statement
    std::vector<std::vector<size_t>> rowLines;     // per table, line of each row
    std::vector<std::vector<size_t>> columnLines;  // per table, line of each column
};

struct DescriptionError {
    size_t line = 0;  // counted from 1
    std::string message;
};

// The longest text a quoted value may give, repetition included.
constexpr size_t kMaxDescribedTextBytes = 16 * 1024 * 1024;

// Parses text. Returns true and sets *description, or returns false and sets
// *error to the first fault (syntax, an unknown type, a value that cannot be
// read as its column's type, a misplaced or duplicate statement, a bad or
// repeated name). Value ranges and row sizes are left to the writer; see
// LineOfProblem.
bool ParseDescription(std::string_view text, Description* description, DescriptionError* error);

// The line a writer problem (from BuildJetImage on description.database)
// points at: the row's line, else the column's line, else the table's line,
// else 0.
size_t LineOfProblem(const Description& description, const WriteProblem& problem);

}  // namespace jetwriter
