#include "jetwriter/usage_map.h"

#include <algorithm>

#include "jetwriter/jet_page.h"
#include "jetwriter/little_endian.h"

namespace jetwriter {
namespace {

constexpr uint8_t kInlineBitmapMap = 0x00;
constexpr uint8_t kReferenceMap = 0x01;
constexpr size_t kMapHeaderSize = 5;
// A usage bitmap page: its type byte, 01, two zero bytes, then the bitmap.
constexpr size_t kBitmapPageHeaderSize = 4;

}  // namespace

std::vector<uint8_t> BuildUsageMap(const std::vector<uint32_t>& pages, size_t minBitmapSize) {
    const uint32_t first = pages.empty() ? 0 : pages.front();
    const size_t span = pages.empty() ? 0 : pages.back() - first + 1;
    const size_t bitmapSize = std::max(minBitmapSize, (span + 7) / 8);
    std::vector<uint8_t> map(kMapHeaderSize + bitmapSize, 0);
    map[0] = kInlineBitmapMap;
    StoreU32(map.data() + 1, first);
    for (uint32_t page : pages) {
        const uint32_t bit = page - first;
        map[kMapHeaderSize + bit / 8] |= static_cast<uint8_t>(1 << (bit % 8));
    }
    return map;
}

std::vector<uint8_t> BuildEmptyUsageMap(size_t minBitmapSize) {
    return BuildUsageMap({}, minBitmapSize);
}

uint32_t PagesPerUsageBitmapPage(size_t pageSize) {
    return static_cast<uint32_t>((pageSize - kBitmapPageHeaderSize) * 8);
}

std::vector<bool> UsageBitmapRanges(const std::vector<uint32_t>& pages, size_t pageSize) {
    const uint32_t perPage = PagesPerUsageBitmapPage(pageSize);
    std::vector<bool> ranges(pages.back() / perPage + 1, false);
    for (uint32_t page : pages) ranges[page / perPage] = true;
    return ranges;
}

void StoreUsageBitmapPage(const std::vector<uint32_t>& pages, uint32_t range, size_t pageSize,
                          uint8_t* page) {
    const uint32_t perPage = PagesPerUsageBitmapPage(pageSize);
    page[0] = kUsageBitmapPageType;
    page[1] = 0x01;
    uint8_t* bitmap = page + kBitmapPageHeaderSize;
    const uint64_t first = static_cast<uint64_t>(range) * perPage;
    auto at = std::lower_bound(pages.begin(), pages.end(), first);
    for (; at != pages.end() && *at < first + perPage; ++at) {
        const uint32_t bit = static_cast<uint32_t>(*at - first);
        bitmap[bit / 8] |= static_cast<uint8_t>(1 << (bit % 8));
    }
}

std::vector<uint8_t> BuildReferenceUsageMap(const std::vector<uint32_t>& bitmapPages) {
    std::vector<uint8_t> map(1 + 4 * bitmapPages.size(), 0);
    map[0] = kReferenceMap;
    for (size_t i = 0; i < bitmapPages.size(); ++i)
        StoreU32(map.data() + 1 + 4 * i, bitmapPages[i]);
    return map;
}

}  // namespace jetwriter
