// Turning one stored field into a Value according to its column's Jet type:
// integers, floats and currency from their little-endian bytes, dates as day
// numbers, text from Jet 4's UCS-2 (or Jet 3's single bytes), memo and OLE
// values through their long-value pages, scaled decimals into exact digits.
#pragma once

#include "jetodbc/jet_image.h"
#include "jetodbc/jet_row_format.h"
#include "jetodbc/value.h"

namespace jetodbc {

// Puts the value of field, a field of column cut from a row of image, into
// *value, which must hold NULL (a default Value): decoded in place, so that
// a table's values are built once and never moved. Throws DamagedFile when
// a fixed field is shorter than its type or a long value cannot be read
// whole. Columns of types the driver does not know come out as their raw
// bytes.
void DecodeField(const JetImage& image, const ColumnLayout& column, const FieldSlice& field,
                 Value* value);

// The exact decimal text of a stored scaled decimal: sign byte (0x80 when
// negative), then a 128-bit magnitude as four little-endian 32-bit words,
// most significant first; scale digits follow the point.
std::string DecimalDigits(const uint8_t* stored17, int scale);

}  // namespace jetodbc
