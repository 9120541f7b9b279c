// Usage maps: the rows that tell a reader which pages belong to a table.
// The form written is a single inline bitmap: a 00 byte, the first page it
// covers, then one bit per page from that one on, least significant bit
// first. Access writes 64 bitmap bytes; longer bitmaps serve tables that span
// more than 512 pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jetwriter {

// The smallest bitmap written, as Access does.
constexpr size_t kMinUsageMapBitmapSize = 64;

// The map row marking exactly pages (ascending, maybe empty). Its bitmap
// covers pages.front() to pages.back(), and is at least
// kMinUsageMapBitmapSize bytes long.
// minBitmapSize (FormatSpec::minUsageBitmapSize) is the bitmap's least size.
std::vector<uint8_t> BuildUsageMap(const std::vector<uint32_t>& pages,
                                   size_t minBitmapSize = kMinUsageMapBitmapSize);

// A map row with no page marked, as a free-space map that claims no free space.
std::vector<uint8_t> BuildEmptyUsageMap(size_t minBitmapSize = kMinUsageMapBitmapSize);

}  // namespace jetwriter
