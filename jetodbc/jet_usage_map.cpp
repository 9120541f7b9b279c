#include "jetodbc/jet_usage_map.h"

#include <string>

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_page.h"

namespace jetodbc {

namespace {

void AddBits(const JetImage& image, const uint8_t* bits, size_t size, uint64_t firstPage,
             std::vector<uint32_t>* pages) {
    for (size_t i = 0; i < size; ++i) {
        if (bits[i] == 0) continue;
        for (int b = 0; b < 8; ++b) {
            if (!(bits[i] & (1u << b))) continue;
            const uint64_t page = firstPage + i * 8 + b;
            if (page >= image.page_count()) {
                throw DamagedFile("a usage map lists page " + std::to_string(page) +
                                  ", past the end of the file");
            }
            pages->push_back(static_cast<uint32_t>(page));
        }
    }
}

}  // namespace

std::vector<uint32_t> ReadUsageMap(const JetImage& image, uint32_t pointer) {
    const DataPage holder(image, PointerPage(pointer));
    const RowBytes map = holder.Row(PointerRow(pointer));
    if (map.size < 1) throw DamagedFile("a usage map is empty");
    std::vector<uint32_t> pages;
    if (map.data[0] == 0) {
        if (map.size < 5) throw DamagedFile("a usage map is too short");
        AddBits(image, map.data + 5, map.size - 5, ReadU32(map.data + 1), &pages);
    } else if (map.data[0] == 1) {
        const uint64_t pagesPerBitmap = (image.page_size() - 4) * 8ull;
        const size_t entries = (map.size - 1) / 4;
        for (size_t e = 0; e < entries; ++e) {
            const uint32_t bitmapPage = ReadU32(map.data + 1 + 4 * e);
            if (bitmapPage == 0) continue;
            const uint8_t* bitmap = image.Page(bitmapPage);
            if (!bitmap) {
                throw DamagedFile("a usage map names bitmap page " + std::to_string(bitmapPage) +
                                  ", past the end of the file");
            }
            if (bitmap[0] != kPageUsageMap) {
                throw DamagedFile("page " + std::to_string(bitmapPage) +
                                  " is not a usage bitmap page");
            }
            AddBits(image, bitmap + 4, image.page_size() - 4, e * pagesPerBitmap, &pages);
        }
    } else {
        throw DamagedFile("a usage map has the unknown type " + std::to_string(map.data[0]));
    }
    return pages;
}

}  // namespace jetodbc
