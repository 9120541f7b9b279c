// Putting a stored field straight from its row into a bound client buffer,
// for the pairs of column type and C type that clients bind most: whole
// numbers and Yes/No into the integer C types, SQL_C_BIT, SQL_C_DOUBLE and
// SQL_C_FLOAT; floating-point numbers into SQL_C_DOUBLE and SQL_C_FLOAT;
// dates into timestamps; text into SQL_C_CHAR. No Value is made and nothing
// is allocated. What lands in the buffer and the indicator is exactly what
// ConvertValue gives for the field's decoded value; where ConvertValue would
// fail or warn of anything but a cut text, the buffer is left alone and the
// caller takes that general path, which reports it.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>

#include "jetodbc/jet_row_format.h"

namespace jetodbc {

// How a column's fields reach a bound buffer of one C type.
enum class FieldRoute : uint8_t {
    General,    // through a decoded Value and ConvertValue
    Integer,    // a whole number (or Yes/No) into an integer, bit or floating C type
    Double,     // a Double column into SQL_C_DOUBLE
    Single,     // a Single column into SQL_C_FLOAT or SQL_C_DOUBLE
    Timestamp,  // a Date/Time column into a timestamp
    Text,       // a Text column into SQL_C_CHAR
};

// The route for a column stored as column bound as cType (a C type the
// driver knows, SQL_C_DEFAULT already resolved).
FieldRoute ChooseFieldRoute(const ColumnLayout& column, SQLSMALLINT cType);

// A bound buffer for one row.
struct BoundBuffer {
    void* target = nullptr;
    SQLLEN length = 0;            // read for SQL_C_CHAR only
    SQLLEN* indicator = nullptr;  // may be null
    SQLULEN maxLength = 0;        // > 0: text cut to that many bytes, no warning
};

enum class FieldOutcome : uint8_t {
    Done,       // the value is in the buffer: SQL_SUCCESS
    Truncated,  // the text was cut to the buffer: SQL_SUCCESS_WITH_INFO, 01004
    General,    // nothing written: take the general path
};

// Puts field, a field of a column of type jetType read from a Jet 3 file
// when jet3, into out by route (not General) as cType.
FieldOutcome PutField(FieldRoute route, SQLSMALLINT cType, uint8_t jetType, bool jet3,
                      const FieldSlice& field, const BoundBuffer& out);

}  // namespace jetodbc
