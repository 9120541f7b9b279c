// Reading a record's current row by column name, for code that works with
// whichever layout a format uses. Numbers of every width widen to int.
#pragma once

#include <string>

#include "db/bws_base.h"

// The value of the declared integer or bool column (16-bit values widened,
// bools 0 or 1); 0 when the record declares no such column.
int IntegerValue(const BWSbase& record, const char* upperName);

// The text of the declared text or string column; empty when the record
// declares no such column.
std::string TextValue(const BWSbase& record, const char* upperName);

// The declared column of that (upper-cased) name, or null when the record
// declares none: found once, before a loop over the rows, so that each row
// is read without a look-up by name. Valid as long as the record.
const BWSbase::ColumnDesc* FindColumn(const BWSbase& record, const char* upperName);

// As above, for a column found with FindColumn (null: 0 and empty).
int IntegerValue(const BWSbase::ColumnDesc* column);
std::string TextValue(const BWSbase::ColumnDesc* column);
