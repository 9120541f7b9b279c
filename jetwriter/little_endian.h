// Little-endian stores into byte buffers: every integer and float in a Jet
// file is little-endian, whatever the host's byte order.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace jetwriter {

// Stores value at bytes[0..1]; the caller guarantees the room.
inline void StoreU16(uint8_t* bytes, uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

// Stores value at bytes[0..3]; the caller guarantees the room.
inline void StoreU32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Stores value at bytes[0..7]; the caller guarantees the room.
inline void StoreU64(uint8_t* bytes, uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Stores the IEEE 754 single-precision bits of value at bytes[0..3].
inline void StoreF32(uint8_t* bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreU32(bytes, bits);
}

// Stores the IEEE 754 double-precision bits of value at bytes[0..7].
inline void StoreF64(uint8_t* bytes, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreU64(bytes, bits);
}

// Reads the 16-bit value at bytes[0..1].
inline uint16_t LoadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Reads the 32-bit value at bytes[0..3].
inline uint32_t LoadU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Appends value to out, low byte first.
inline void AppendU16(std::vector<uint8_t>* out, uint16_t value) {
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

// Appends value to out, low byte first.
inline void AppendU32(std::vector<uint8_t>* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace jetwriter
