// ColumnType: the Access column types a table can have, and what a Jet 4
// table definition records about each (type code, room in a row).
#pragma once

#include <cstdint>

namespace jetwriter {

enum class ColumnType : uint8_t {
    kYesNo,
    kByte,
    kInteger,      // 16-bit
    kLongInteger,  // 32-bit
    kSingle,
    kDouble,
    kCurrency,
    kDateTime,
    kText,  // Text(n), n from 1 to 255 characters
    kMemo,
    kNumeric,  // Numeric(p,s), the Decimal of Access 2000: Jet 4 only
    // Binary and OLE Object exist for the system catalog; only NULL values
    // can be written to them.
    kBinary,
    kOle,
};

// The type code a Jet column entry stores (Yes/No 1 ... Memo 12).
uint8_t JetTypeCode(ColumnType type);

// True when values of the type live in the fixed-length area of a row. Yes/No
// counts as fixed although its value lives in the null mask.
bool IsFixedLength(ColumnType type);

// Bytes a value of a fixed-length type takes in the fixed-length area: 0 for
// Yes/No, 1 for Byte ... 8 for Double, 17 for Numeric. 0 for variable-length
// types.
int FixedAreaSize(ColumnType type);

// True for Text and Memo, the types whose values are strings.
bool HoldsText(ColumnType type);

// The Access name of the type ("Yes/No", "Long Integer", "Text", ...), for
// messages. Never null.
const char* ColumnTypeName(ColumnType type);

}  // namespace jetwriter
