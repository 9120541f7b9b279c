// The page geometry and page-level constants of a Jet 4 file, shared by
// everything that lays out pages.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jetwriter {

// Every page of a Jet 4 file is this long; page p starts at byte p * kPageSize.
constexpr size_t kPageSize = 4096;

// Data pages: a 14-byte header, then one 2-byte row offset per row.
constexpr size_t kDataPageHeaderSize = 14;
constexpr size_t kRowOffsetSize = 2;
// Readers take at most this many rows from one page.
constexpr size_t kMaxRowsPerPage = 255;
// The longest row a data page can hold: the whole page less its header and
// the row's offset entry.
constexpr size_t kMaxRowSize = kPageSize - kDataPageHeaderSize - kRowOffsetSize;

// Page type bytes.
constexpr uint8_t kDataPageType = 0x01;
constexpr uint8_t kTableDefinitionPageType = 0x02;

// The owner field of a long-value data page: "LVAL".
constexpr uint32_t kLongValueOwner = 0x4C41564C;

// The table definition of MSysObjects is always on this page.
constexpr uint32_t kCatalogDefinitionPage = 2;

// A row pointer names a row by page and row number.
inline uint32_t RowPointer(uint32_t page, uint32_t row) { return (page << 8) | row; }

}  // namespace jetwriter
