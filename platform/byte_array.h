// CByteArray: a resizable array of bytes, as the Windows class of that name,
// with only what the controller uses.
#pragma once

#include <cstdint>
#include <vector>

class CByteArray {
  public:
    // Number of bytes held.
    long GetSize() const;
    // Resizes to newSize bytes (new bytes are 0); a negative size empties.
    void SetSize(long newSize);
    // Releases storage beyond the current size.
    void FreeExtra();
    void RemoveAll();
    // The bytes; null when the array is empty.
    uint8_t* GetData();
    const uint8_t* GetData() const;
    // The index must lie within the size.
    uint8_t& operator[](long index);
    // Gives 0 for an index outside the size.
    uint8_t operator[](long index) const;

  private:
    std::vector<uint8_t> bytes_;
};
