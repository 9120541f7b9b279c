// The table definition (TDEF) of a table: a header with the row count and
// the row pointers of the table's usage maps, one entry per column not
// dropped (Jet 3: 18 bytes, Jet 4: 25), the column names (Jet 3: a length
// byte and Windows-1252; Jet 4: a 2-byte length and UTF-16LE), and an empty
// list of long-value usage maps. A definition longer than a page continues on further
// definition pages, each linked from the one before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jetwriter/database.h"
#include "jetwriter/page_image.h"
#include "jetwriter/table_layout.h"

namespace jetwriter {

struct TableDefinitionFields {
    bool systemTable = false;
    uint32_t rowCount = 0;
    uint32_t usageMap = 0;      // row pointer of the map of the data pages
    uint32_t freeSpaceMap = 0;  // row pointer of the free-space map
};

// The definition as one stream of bytes laid out as on its first page (the
// page header included); bytes beyond the first page go to continuation
// pages. columns and layout must belong together. The header's column count
// counts the columns not dropped; its highest column number and its
// variable-column count count every column the table ever had.
std::vector<uint8_t> BuildTableDefinition(const std::vector<Column>& columns,
                                          const TableLayout& layout,
                                          const TableDefinitionFields& fields, JetFormat format);

// How many pages of pageSize bytes a definition of definitionSize bytes (as
// built above) takes.
uint32_t TableDefinitionPageCount(size_t definitionSize, size_t pageSize);

// Writes definition on pages firstPage, firstPage + 1, ... (as many as
// TableDefinitionPageCount says), which must exist in image, with page
// headers, free space and next-page links.
void StoreTableDefinition(const std::vector<uint8_t>& definition, uint32_t firstPage,
                          PageImage* image);

}  // namespace jetwriter
