// The table definition (TDEF) of a Jet table, as far as the driver checks it
// itself before libmdb parses it: the chain of definition pages and the
// header fields that size the column and index sections. The definition is
// one stream of bytes: the first page whole, then each following page from
// byte 8 (after its header); the header's next-page field links them.
#pragma once

#include <cstdint>
#include <vector>

#include "jetodbc/jet_image.h"

namespace jetodbc {

struct TableStructure {
    uint32_t definitionPage = 0;
    uint32_t rowCount = 0;  // as the definition records it
    uint16_t columnCount = 0;
    // The highest variable-column number ever used, plus one: deleted
    // columns keep their numbers, so this may exceed columnCount.
    uint16_t variableColumnCount = 0;
    uint32_t realIndexCount = 0;
    uint32_t usageMap = 0;      // pointer to the usage map's row
    uint32_t freeSpaceMap = 0;  // pointer to the free-space map's row
};

// Reads the definition starting at page and checks it: every page of the
// chain inside the file, of the definition type and visited once; the
// column entries and column names inside the stream; the rows of the usage
// map and of the free-space map present. Throws DamagedFile otherwise. The pages' own contents
// beyond that are left to libmdb.
TableStructure ReadTableStructure(const JetImage& image, uint32_t page);

// The definition stream of the table whose definition starts at page, with
// the same checks of the chain as ReadTableStructure.
std::vector<uint8_t> ReadDefinitionStream(const JetImage& image, uint32_t page);

}  // namespace jetodbc
