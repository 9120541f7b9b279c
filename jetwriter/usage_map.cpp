#include "jetwriter/usage_map.h"

#include <algorithm>

#include "jetwriter/little_endian.h"

namespace jetwriter {
namespace {

constexpr uint8_t kInlineBitmapMap = 0x00;
constexpr size_t kMapHeaderSize = 5;

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

}  // namespace jetwriter
