// Bounds-checked little-endian reads and writes at an offset of a byte span, whatever the host's byte order.
#pragma once
#include <cstddef>
#include <cstdint>

// True when `width` bytes starting at `offset` lie inside a span of `size` bytes.
inline bool fitsIn(size_t size, size_t offset, size_t width) {
    return offset <= size && size - offset >= width;
}

inline bool writeUint8(uint8_t* data, size_t size, size_t offset, uint8_t value) {
    if (!fitsIn(size, offset, 1)) return false;
    data[offset] = value;
    return true;
}

inline bool readUint8(const uint8_t* data, size_t size, size_t offset, uint8_t& value) {
    if (!fitsIn(size, offset, 1)) return false;
    value = data[offset];
    return true;
}

inline bool writeInt32(uint8_t* data, size_t size, size_t offset, int32_t value) {
    if (!fitsIn(size, offset, 4)) return false;
    const uint32_t bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) data[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
    return true;
}

inline bool readInt32(const uint8_t* data, size_t size, size_t offset, int32_t& value) {
    if (!fitsIn(size, offset, 4)) return false;
    uint32_t bits = 0;
    for (size_t i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(data[offset + i]) << (8 * i);
    value = static_cast<int32_t>(bits);  // modulo 2^32, as GCC and Clang define it
    return true;
}
