#include "platform/byte_array.h"

#include <cassert>
#include <cstddef>

long CByteArray::GetSize() const { return static_cast<long>(bytes_.size()); }

void CByteArray::SetSize(long newSize) {
    bytes_.resize(newSize < 0 ? 0 : static_cast<size_t>(newSize), 0);
}

void CByteArray::FreeExtra() { bytes_.shrink_to_fit(); }

void CByteArray::RemoveAll() {
    bytes_.clear();
    bytes_.shrink_to_fit();
}

uint8_t* CByteArray::GetData() { return bytes_.empty() ? nullptr : bytes_.data(); }

const uint8_t* CByteArray::GetData() const { return bytes_.empty() ? nullptr : bytes_.data(); }

uint8_t& CByteArray::operator[](long index) {
    assert(index >= 0 && index < GetSize());
    return bytes_[static_cast<size_t>(index)];
}

uint8_t CByteArray::operator[](long index) const {
    return index >= 0 && index < GetSize() ? bytes_[static_cast<size_t>(index)] : 0;
}
