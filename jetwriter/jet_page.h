// Page-level constants shared by everything that lays out pages, and the
// Jet 4 page geometry (jet_format.h has both formats' figures).
#pragma once

#include <cstddef>
#include <cstdint>

namespace jetwriter {

// Every page of a Jet 4 file is this long; page p starts at byte p * kPageSize.
// Jet 3 pages are half as long (FormatSpec::pageSize).
constexpr size_t kPageSize = 4096;

// Jet 4 data pages: a 14-byte header, then one 2-byte row offset per row.
constexpr size_t kDataPageHeaderSize = 14;
constexpr size_t kRowOffsetSize = 2;
// Readers take at most this many rows from one page.
constexpr size_t kMaxRowsPerPage = 255;
// The longest row a Jet 4 data page can hold: the whole page less its header and
// the row's offset entry.
constexpr size_t kMaxRowSize = kPageSize - kDataPageHeaderSize - kRowOffsetSize;

// Flags in a row offset: a deleted row (Access sets both), the target of an
// overflow pointer (0x8000 alone: readers skip it when scanning the page) and
// an overflow pointer (0x4000 alone: the row holds the row pointer of the moved row).
constexpr uint16_t kDeletedRowFlags = 0xC000;
constexpr uint16_t kMovedRowFlag = 0x8000;
constexpr uint16_t kOverflowPointerFlag = 0x4000;

// Page type bytes.
constexpr uint8_t kDataPageType = 0x01;
constexpr uint8_t kTableDefinitionPageType = 0x02;
constexpr uint8_t kUsageBitmapPageType = 0x05;

// The owner field of a long-value data page: "LVAL".
constexpr uint32_t kLongValueOwner = 0x4C41564C;

// The table definition of MSysObjects is always on this page.
constexpr uint32_t kCatalogDefinitionPage = 2;

// A row pointer names a row by page and row number.
inline uint32_t RowPointer(uint32_t page, uint32_t row) { return (page << 8) | row; }

}  // namespace jetwriter
