// Usage maps: the rows that tell a reader which pages belong to a table.
// Two forms are written. An inline map is a 00 byte, the first page it
// covers, then one bit per page from that one on, least significant bit
// first; Access writes at least 64 (Jet 4) or 128 (Jet 3) bitmap bytes. A
// table whose pages span more than an inline map in one row can mark gets a
// reference map: a 01 byte, then one page number per usage bitmap page,
// where entry i's page marks pages i * N to (i + 1) * N - 1 with
// N = (page size - 4) * 8, and 0 stands for a range holding none of them
// (Access writes as many entries as fit its inline map's room: 33 in Jet 3,
// 17 in Jet 4, enough for a file of the format's largest size).
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

// How many pages one usage bitmap page of pageSize bytes marks.
uint32_t PagesPerUsageBitmapPage(size_t pageSize);

// The ranges of PagesPerUsageBitmapPage pages that pages (ascending, not
// empty) touch: entry i is true when a page of range i is among them. The
// list ends with the range of pages.back().
std::vector<bool> UsageBitmapRanges(const std::vector<uint32_t>& pages, size_t pageSize);

// Fills page (pageSize bytes of zeros) as the usage bitmap page of range
// `range`, marking those of pages (ascending) that fall in it.
void StoreUsageBitmapPage(const std::vector<uint32_t>& pages, uint32_t range, size_t pageSize,
                          uint8_t* page);

// The reference map row naming bitmapPages (entry i for range i; 0 where a
// range has no bitmap page).
std::vector<uint8_t> BuildReferenceUsageMap(const std::vector<uint32_t>& bitmapPages);

}  // namespace jetwriter
