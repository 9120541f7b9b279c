// DataPageWriter: stores rows on data pages (in the image's format) of one owner (a table's
// definition page, the "LVAL" mark of long-value pages, or 0 for the pages of
// usage maps), opening a new page at the end of the image whenever the
// current one cannot take the next row. Every page is a valid data page after
// every AddRow: rows are packed downward from the end of the page and the
// header always matches them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jetwriter/page_image.h"

namespace jetwriter {

class DataPageWriter {
  public:
    // image must outlive the writer.
    DataPageWriter(PageImage* image, uint32_t owner);
    DataPageWriter(const DataPageWriter&) = delete;
    DataPageWriter& operator=(const DataPageWriter&) = delete;

    // Stores row[0..length) with flags (jet_page.h: 0, or deleted, moved,
    // overflow pointer) in its row offset and returns its row pointer. length
    // must be from 1 to the format's maxRowSize().
    uint32_t AddRow(const uint8_t* row, size_t length, uint16_t flags = 0);

    // The pages opened so far, in ascending order.
    const std::vector<uint32_t>& pages() const { return pages_; }

  private:
    bool Fits(size_t length) const;
    void OpenPage();

    PageImage* image_;
    const FormatSpec& spec_;
    uint32_t owner_;
    std::vector<uint32_t> pages_;
    uint16_t rowCount_ = 0;
    uint16_t lowestRowStart_ = 0;
};

}  // namespace jetwriter
