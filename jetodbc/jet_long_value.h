// Memo and OLE fields ("long values"). The row holds a 12-byte header: the
// value's length in the low 30 bits of the first four bytes with two flags
// above them, then a row pointer. Flag 0x80 means the value follows the
// header inline; 0x40 means it fills one row of a long-value page; neither
// means a chain of such rows, each starting with the pointer to the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "jetodbc/jet_image.h"

namespace jetodbc {

// The whole value of the long-value field whose stored bytes are field
// (size bytes: header plus inline data). A field of 0 bytes is an empty
// value. Throws DamagedFile when the header is cut short, a pointer leads
// outside the file, the chain loops or ends before the value is complete.
std::string ReadLongValue(const JetImage& image, const uint8_t* field, size_t size);

}  // namespace jetodbc
