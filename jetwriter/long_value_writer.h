// LongValueWriter: stores memo data that does not stay in its row on
// long-value pages (data pages whose owner field reads "LVAL"). Data that fits
// one row becomes one row; longer data becomes a chain of rows, each opening
// with the row pointer of the next (0 in the last).
#pragma once

#include <cstddef>
#include <cstdint>

#include "jetwriter/data_page_writer.h"

namespace jetwriter {

// The first two fields of a memo's 12-byte header in its row.
struct MemoReference {
    uint32_t lengthAndFlags = 0;
    uint32_t rowPointer = 0;
};

// Flags in the length field of a memo header.
constexpr uint32_t kMemoInRow = 0x80000000;
constexpr uint32_t kMemoSingleLongValueRow = 0x40000000;
// The length field keeps the two top bits for flags.
constexpr size_t kMaxMemoBytes = 0x3FFFFFFF;

class LongValueWriter {
  public:
    // image must outlive the writer.
    explicit LongValueWriter(PageImage* image);

    // Stores data[0..length) and returns what the row's memo header records.
    // length must be from 1 to kMaxMemoBytes.
    MemoReference Store(const uint8_t* data, size_t length);

    const FormatSpec& spec() const { return spec_; }

  private:
    DataPageWriter pages_;
    const FormatSpec& spec_;
    size_t maxRowSize_;
};

}  // namespace jetwriter
