// A table's usage map: the list of pages that belong to the table. The map is
// a row on a data page. Type 0 holds a start page and a bitmap inline; type 1
// holds page numbers of bitmap pages (page type 0x05), each covering a fixed
// range of pages. Any page number that a map yields must lie inside the file.
#pragma once

#include <cstdint>
#include <vector>

#include "jetodbc/jet_image.h"

namespace jetodbc {

// The pages that the usage map stored at pointer (page << 8 | row) lists, in
// ascending order. Throws DamagedFile when the map's row cannot be found, the
// map type is unknown, a bitmap page is missing or of the wrong type, or a
// listed page lies at or past the end of the file.
std::vector<uint32_t> ReadUsageMap(const JetImage& image, uint32_t pointer);

}  // namespace jetodbc
