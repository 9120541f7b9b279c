// The header page (page 0) of a Jet 4 file: the signature, the version, and
// a 128-byte area, RC4-encrypted with a fixed key, that holds the code page,
// the database key (0: pages are not encrypted), the sort order and the
// creation date.
#pragma once

#include <cstdint>

namespace jetwriter {

// Fills page (kPageSize bytes, zeros on entry) as the header of a Jet 4
// database created at createdDayNumber (days since 1899-12-30).
void StoreHeaderPage(double createdDayNumber, uint8_t* page);

}  // namespace jetwriter
