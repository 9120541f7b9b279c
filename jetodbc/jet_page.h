// The row directory of a Jet data page. Data pages (and the long-value pages
// of memo and OLE fields, and the pages that hold usage maps) list their rows
// in a directory after the page header: a row count, then one 16-bit entry a
// row whose low 13 bits are the row's start and whose top bits flag a
// deleted row or a row moved to another page. A row runs from its start to
// the start of the row before it (row 0 to the end of the page). Every
// bound is checked here, so callers get only bytes inside the page.
#pragma once

#include <cstddef>
#include <cstdint>

#include "jetodbc/jet_image.h"

namespace jetodbc {

enum : uint8_t {
    kPageData = 0x01,
    kPageTableDefinition = 0x02,
    kPageUsageMap = 0x05,
};

// A row's bytes within its page.
struct RowBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool deleted = false;   // entry flag 0x8000
    bool overflow = false;  // entry flag 0x4000: the row holds a pointer to its data
};

class DataPage {
  public:
    // Reads the directory of page number. Throws DamagedFile when the page is
    // past the end of the file or its directory does not fit in the page.
    DataPage(const JetImage& image, uint64_t number);

    uint32_t number() const { return number_; }
    uint8_t type() const { return page_[0]; }
    // The definition page of the table that owns this page (bytes 4..7).
    uint32_t owner() const { return ReadU32(page_ + 4); }
    uint16_t row_count() const { return rowCount_; }

    // Row index's bytes and flags. Throws DamagedFile when index is not below
    // row_count() or the row's bounds do not lie within the page.
    RowBytes Row(uint32_t index) const;

    // The flags of row index's directory entry, without checking its bounds
    // (a deleted row's bounds need not hold). index must be below row_count().
    bool IsDeleted(uint32_t index) const { return (Entry(index) & 0x8000) != 0; }
    bool IsOverflow(uint32_t index) const { return (Entry(index) & 0x4000) != 0; }

  private:
    uint16_t Entry(uint32_t index) const { return ReadU16(page_ + directory_ + 2 * index); }

    const uint8_t* page_ = nullptr;
    uint32_t number_ = 0;
    uint32_t pageSize_ = 0;
    uint32_t directory_ = 0;  // offset of entry 0
    uint16_t rowCount_ = 0;
};

// Splits a 32-bit row pointer (page number in the upper 24 bits, row number
// in the low 8) as Jet stores them for usage maps and long values.
inline uint32_t PointerPage(uint32_t pointer) { return pointer >> 8; }
inline uint32_t PointerRow(uint32_t pointer) { return pointer & 0xff; }

}  // namespace jetodbc
