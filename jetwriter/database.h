// Database, Table and Column: what a Jet 4 file is written from. The caller
// fills these plain structures (the description parser does, and so can a
// fixture builder); WriteJet4File (jet4_writer.h) checks them and writes
// the file.
//
// Rules the writer enforces, reported with the table and row at fault:
// - names: 1 to 64 characters, no control characters, none of . ! ` [ ],
//   no leading space; table names unique, column names unique in their table
//   (both compared ignoring ASCII case); "MSysObjects" is taken.
// - a table has 1 to 255 columns; Text(n) has n from 1 to 255.
// - each row has one value per column, of the kind its column takes:
//   Yes/No a Boolean (never NULL); Byte, Integer, Long Integer an Integer in
//   range; Single, Double a finite Real (Single: within float range);
//   Currency a Currency; Date/Time a DateTime from year 100 to 9999; Text
//   and Memo a Text in valid UTF-8 without U+0000, Text(n) at most n UTF-16
//   code units; Binary and OLE only NULL. Every other type may be NULL.
// - a row, with its memos moved out to long-value pages, fits in a page.
#pragma once

#include <string>
#include <vector>

#include "jetwriter/column_type.h"
#include "jetwriter/value.h"

namespace jetwriter {

struct Column {
    std::string name;  // UTF-8
    ColumnType type = ColumnType::kLongInteger;
    int text_length = 0;  // Text(n): n characters; unused for other types
};

struct Table {
    std::string name;  // UTF-8
    std::vector<Column> columns;
    // Rows in stored order; row i, value j belongs to columns[j].
    std::vector<std::vector<Value>> rows;
};

struct Database {
    // Creation date stored in the header and the catalog: days since
    // 1899-12-30 (see calendar.h). Never taken from the clock.
    double created = 0.0;
    std::vector<Table> tables;
};

// A column of a type without a length (every type but Text).
Column MakeColumn(std::string name, ColumnType type);

// A Text(length) column.
Column MakeTextColumn(std::string name, int length);

}  // namespace jetwriter
