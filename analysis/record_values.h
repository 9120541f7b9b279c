// Reading a record's current row by column name, for code that works with
// whichever layout a format uses. Numbers of every width widen to int.
//
// Access is strict: a name the record does not declare, or a declared column
// read as a kind it is not, is a fault of the reading code or of a layout,
// and reading on as if the value were 0 or empty would hide it. Such a read
// throws UndeclaredColumn, which the tournament reader reports as the read's
// failure.
#pragma once

#include <stdexcept>
#include <string>

#include "db/bws_base.h"

// A read of a column that the record does not declare as asked; what() names
// the table and the column.
class UndeclaredColumn : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// The value of the declared integer or bool column (16-bit values widened,
// bools 0 or 1). Throws UndeclaredColumn when the record declares no integer
// or bool column of that name.
int IntegerValue(const BWSbase& record, const char* upperName);

// The text of the declared text or string column. Throws UndeclaredColumn
// when the record declares no text or string column of that name.
std::string TextValue(const BWSbase& record, const char* upperName);

// One column of a record, looked up by name once, before a loop over the
// rows, so that each row is read without a look-up by name. Its reads are
// exactly IntegerValue's and TextValue's, strictness included: a column the
// record does not declare as read throws UndeclaredColumn at the read, not
// at the look-up. The record must outlive it.
class RecordColumn {
  public:
    RecordColumn(const BWSbase& record, const char* upperName);

    int Integer() const;       // as IntegerValue(record, upperName)
    std::string Text() const;  // as TextValue(record, upperName)

  private:
    const BWSbase& record_;
    const char* name_;
    const BWSbase::ColumnDesc* column_;  // null: not declared
};
