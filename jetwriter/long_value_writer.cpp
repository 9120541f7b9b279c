#include "jetwriter/long_value_writer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "jetwriter/little_endian.h"

namespace jetwriter {
namespace {

constexpr size_t kChainLinkSize = 4;

}  // namespace

LongValueWriter::LongValueWriter(PageImage* image)
    : pages_(image, kLongValueOwner),
      spec_(image->spec()),
      maxRowSize_(image->spec().maxRowSize()) {}

MemoReference LongValueWriter::Store(const uint8_t* data, size_t length) {
    MemoReference reference;
    if (length <= maxRowSize_) {
        reference.lengthAndFlags = static_cast<uint32_t>(length) | kMemoSingleLongValueRow;
        reference.rowPointer = pages_.AddRow(data, length);
        return reference;
    }
    // The chain is stored last chunk first, so that every chunk knows where
    // its successor went; readers follow the pointers, not the page order.
    const size_t chunkSize = maxRowSize_ - kChainLinkSize;
    const size_t chunkCount = (length + chunkSize - 1) / chunkSize;
    std::vector<uint8_t> row(maxRowSize_);
    uint32_t next = 0;
    for (size_t chunk = chunkCount; chunk-- > 0;) {
        const size_t start = chunk * chunkSize;
        const size_t size = std::min(chunkSize, length - start);
        StoreU32(row.data(), next);
        std::memcpy(row.data() + kChainLinkSize, data + start, size);
        next = pages_.AddRow(row.data(), kChainLinkSize + size);
    }
    reference.lengthAndFlags = static_cast<uint32_t>(length);
    reference.rowPointer = next;
    return reference;
}

}  // namespace jetwriter
