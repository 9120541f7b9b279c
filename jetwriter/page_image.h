// PageImage: the bytes of a Jet file under construction, always a whole
// number of pages. Pages are added at the end and filled in place.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "jetwriter/jet_page.h"

namespace jetwriter {

class PageImage {
  public:
    PageImage() = default;
    PageImage(const PageImage&) = delete;
    PageImage& operator=(const PageImage&) = delete;

    // Appends a page of zeros and returns its number.
    uint32_t AppendPage();

    // The kPageSize bytes of an existing page. The pointer stays valid until
    // the next AppendPage.
    uint8_t* Page(uint32_t number) { return bytes_.data() + number * kPageSize; }

    uint32_t page_count() const { return static_cast<uint32_t>(bytes_.size() / kPageSize); }

    // The whole image; leaves this one empty.
    std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace jetwriter
