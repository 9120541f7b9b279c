#include "jetwriter/data_page_writer.h"

#include <cstring>

#include "jetwriter/little_endian.h"

namespace jetwriter {
namespace {

constexpr size_t kFreeSpaceOffset = 0x02;
constexpr size_t kOwnerOffset = 0x04;

}  // namespace

DataPageWriter::DataPageWriter(PageImage* image, uint32_t owner)
    : image_(image), spec_(image->spec()), owner_(owner) {}

bool DataPageWriter::Fits(size_t length) const {
    if (pages_.empty() || rowCount_ >= kMaxRowsPerPage) return false;
    const size_t headerAfter = spec_.dataPageHeaderSize + kRowOffsetSize * (rowCount_ + 1);
    return lowestRowStart_ >= headerAfter + length;
}

void DataPageWriter::OpenPage() {
    const uint32_t number = image_->AppendPage();
    pages_.push_back(number);
    rowCount_ = 0;
    lowestRowStart_ = static_cast<uint16_t>(spec_.pageSize);
    uint8_t* page = image_->Page(number);
    page[0] = kDataPageType;
    page[1] = 0x01;
    StoreU16(page + kFreeSpaceOffset,
             static_cast<uint16_t>(spec_.pageSize - spec_.dataPageHeaderSize));
    StoreU32(page + kOwnerOffset, owner_);
}

uint32_t DataPageWriter::AddRow(const uint8_t* row, size_t length, uint16_t flags) {
    if (!Fits(length)) OpenPage();
    const uint32_t number = pages_.back();
    uint8_t* page = image_->Page(number);
    const uint16_t rowNumber = rowCount_;
    lowestRowStart_ = static_cast<uint16_t>(lowestRowStart_ - length);
    std::memcpy(page + lowestRowStart_, row, length);
    StoreU16(page + spec_.dataPageHeaderSize + kRowOffsetSize * rowNumber,
             static_cast<uint16_t>(lowestRowStart_ | flags));
    ++rowCount_;
    StoreU16(page + spec_.rowCountOffset, rowCount_);
    const size_t header = spec_.dataPageHeaderSize + kRowOffsetSize * rowCount_;
    StoreU16(page + kFreeSpaceOffset, static_cast<uint16_t>(lowestRowStart_ - header));
    return RowPointer(number, rowNumber);
}

}  // namespace jetwriter
