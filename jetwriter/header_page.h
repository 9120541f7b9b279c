// The header page (page 0) of a Jet file: the signature, the version (0 Jet
// 3, 1 Jet 4), and an area RC4-encrypted with a fixed key (Jet 3: 126
// bytes, Jet 4: 128) that holds the code page, the database key (0: pages
// are not encrypted), the sort order and (Jet 4) the creation date.
#pragma once

#include <cstdint>

#include "jetwriter/jet_format.h"

namespace jetwriter {

// Fills page (a page of format, zeros on entry) as the header of a database
// created at createdDayNumber (days since 1899-12-30).
void StoreHeaderPage(JetFormat format, double createdDayNumber, uint8_t* page);

}  // namespace jetwriter
