// Database, Table and Column: what a Jet file is written from. The caller
// fills these plain structures (the description parser does, and so can a
// fixture builder); WriteJetFile (jet_writer.h) checks them and writes
// the file in the database's format.
//
// Rules the writer enforces, reported with the table and row at fault:
// - names: 1 to 64 characters, no control characters, none of . ! ` [ ],
//   no leading space; table names unique, column names unique in their table
//   (both compared ignoring ASCII case); "MSysObjects" is taken.
// - a table has 1 to 255 columns; Text(n) has n from 1 to 255; Numeric(p,s)
//   has p from 1 to 28 and s from 0 to p, and needs a Jet 4 file (Access 97
//   has no such type).
// - each row has one value per column, of the kind its column takes:
//   Yes/No a Boolean (never NULL); Byte, Integer, Long Integer an Integer in
//   range; Single, Double a finite Real (Single: within float range);
//   Currency a Currency; Numeric a Decimal of at most s decimals and p
//   digits in all; Date/Time a DateTime from year 100 to 9999; Text
//   and Memo a Text in valid UTF-8 without U+0000, Text(n) at most n UTF-16
//   code units; Binary and OLE only NULL. Every other type may be NULL.
// - a row, with its memos moved out to long-value pages, fits in a page.
// - Jet 3: names and texts are stored in Windows-1252; a character it lacks
//   is refused.
// - history: columns are listed in the order they were made (that order
//   numbers them), so added_at_row never decreases along the list; a column
//   is dropped only after it was added; at least one column is never
//   dropped. Names need to differ only among the columns not dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jetwriter/column_type.h"
#include "jetwriter/jet_format.h"
#include "jetwriter/value.h"

namespace jetwriter {

// Marks a column that was never dropped.
constexpr size_t kNeverDropped = static_cast<size_t>(-1);

struct Column {
    std::string name;  // UTF-8
    ColumnType type = ColumnType::kLongInteger;
    int text_length = 0;  // Text(n): n characters; unused for other types
    // Numeric(p,s): p digits in all (1 to 28), s of them after the point
    // (0 to p); unused for other types.
    int precision = 0;
    int scale = 0;
    // The table's history, counted in rows: the column exists for rows
    // added_at_row, ... (0: from the first row on), and is deleted from row
    // dropped_at_row on. Rows written before a column was added are stored
    // with the columns they had; a deleted column keeps its number and room.
    size_t added_at_row = 0;
    size_t dropped_at_row = kNeverDropped;

    // True when row (an index into Table::rows) was written while the column existed.
    bool ExistsFor(size_t row) const { return added_at_row <= row && row < dropped_at_row; }
    bool dropped() const { return dropped_at_row != kNeverDropped; }
};

// What became of a row after it was written.
enum class RowFate : uint8_t {
    kStored,   // an ordinary row
    kDeleted,  // stored but flagged deleted: readers do not show it
    kMoved,    // moved to another page; an overflow pointer stays at its place
};

struct Table {
    std::string name;  // UTF-8
    // Every column the table ever had, in the order they were made.
    std::vector<Column> columns;
    // Rows in stored order. Row i holds one value for each column that
    // ExistsFor(i), in column order (with no history: value j belongs to columns[j]).
    std::vector<std::vector<Value>> rows;
    // What became of each row; empty when every row is kStored.
    std::vector<RowFate> row_fates;

    RowFate FateOf(size_t row) const {
        return row < row_fates.size() ? row_fates[row] : RowFate::kStored;
    }
};

struct Database {
    JetFormat format = JetFormat::kJet3;  // Access 97 unless asked otherwise
    // Creation date stored in the header and the catalog: days since
    // 1899-12-30 (see calendar.h). Never taken from the clock.
    double created = 0.0;
    std::vector<Table> tables;
};

// A column of a type without a length (every type but Text).
Column MakeColumn(std::string name, ColumnType type);

// A Text(length) column.
Column MakeTextColumn(std::string name, int length);
// A Numeric(precision,scale) column.
Column MakeNumericColumn(std::string name, int precision, int scale);

}  // namespace jetwriter
