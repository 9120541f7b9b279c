// PageImage: the bytes of a Jet file of one format under construction,
// always a whole number of pages. Pages are added at the end and filled in
// place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "jetwriter/jet_format.h"
#include "jetwriter/jet_page.h"

namespace jetwriter {

class PageImage {
  public:
    explicit PageImage(JetFormat format = JetFormat::kJet4) : spec_(SpecOf(format)) {}
    PageImage(const PageImage&) = delete;
    PageImage& operator=(const PageImage&) = delete;

    // Appends a page of zeros and returns its number.
    uint32_t AppendPage();

    // The page_size() bytes of an existing page. The pointer stays valid
    // until the next AppendPage.
    uint8_t* Page(uint32_t number) { return bytes_.data() + number * spec_.pageSize; }

    uint32_t page_count() const { return static_cast<uint32_t>(bytes_.size() / spec_.pageSize); }
    size_t page_size() const { return spec_.pageSize; }
    const FormatSpec& spec() const { return spec_; }

    // The whole image; leaves this one empty.
    std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

  private:
    const FormatSpec& spec_;
    std::vector<uint8_t> bytes_;
};

}  // namespace jetwriter
