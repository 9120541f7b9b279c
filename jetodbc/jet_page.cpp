#include "jetodbc/jet_page.h"

#include <string>

#include "jetodbc/driver_error.h"

namespace jetodbc {

namespace {
constexpr uint16_t kOffsetMask = 0x1fff;
constexpr uint16_t kDeletedFlag = 0x8000;
constexpr uint16_t kOverflowFlag = 0x4000;
}  // namespace

DataPage::DataPage(const JetImage& image, uint64_t number) {
    page_ = image.Page(number);
    if (!page_) {
        throw DamagedFile("page " + std::to_string(number) + " lies past the end of the file");
    }
    number_ = static_cast<uint32_t>(number);
    pageSize_ = image.page_size();
    const uint32_t countOffset = image.jet3() ? 8 : 12;
    rowCount_ = ReadU16(page_ + countOffset);
    directory_ = countOffset + 2;
    if (directory_ + 2u * rowCount_ > pageSize_) {
        throw DamagedFile("the row directory of page " + std::to_string(number) +
                          " does not fit in the page");
    }
}

RowBytes DataPage::Row(uint32_t index) const {
    if (index >= rowCount_) {
        throw DamagedFile("row " + std::to_string(index) + " of page " + std::to_string(number_) +
                          " does not exist");
    }
    const uint16_t entry = Entry(index);
    const uint32_t start = entry & kOffsetMask;
    const uint32_t end = index == 0 ? pageSize_ : (Entry(index - 1) & kOffsetMask);
    const uint32_t directoryEnd = directory_ + 2u * rowCount_;
    if (start < directoryEnd || start > end || end > pageSize_) {
        throw DamagedFile("row " + std::to_string(index) + " of page " + std::to_string(number_) +
                          " lies outside its page");
    }
    RowBytes row;
    row.data = page_ + start;
    row.size = end - start;
    row.deleted = (entry & kDeletedFlag) != 0;
    row.overflow = (entry & kOverflowFlag) != 0;
    return row;
}

}  // namespace jetodbc
