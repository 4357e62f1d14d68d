// Which end of a multi-byte unit comes first in a file or a shared block, and
// the loads and stores in either order.
#pragma once

#include <cstdint>

namespace pathbook {

enum class ByteOrder { kLittleEndian, kBigEndian };

template <ByteOrder Order>
inline std::uint32_t LoadUnit16(const std::uint8_t* at) {
    return Order == ByteOrder::kLittleEndian ? (at[0] | at[1] << 8) : (at[0] << 8 | at[1]);
}

template <ByteOrder Order>
inline std::uint32_t LoadUnit32(const std::uint8_t* at) {
    std::uint32_t b0 = at[0], b1 = at[1], b2 = at[2], b3 = at[3];
    return Order == ByteOrder::kLittleEndian ? (b0 | b1 << 8 | b2 << 16 | b3 << 24)
                                             : (b0 << 24 | b1 << 16 | b2 << 8 | b3);
}

template <ByteOrder Order>
inline void StoreUnit16(std::uint32_t value, std::uint8_t* at) {
    at[Order == ByteOrder::kLittleEndian ? 0 : 1] = static_cast<std::uint8_t>(value);
    at[Order == ByteOrder::kLittleEndian ? 1 : 0] = static_cast<std::uint8_t>(value >> 8);
}

template <ByteOrder Order>
inline void StoreUnit32(std::uint32_t value, std::uint8_t* at) {
    for (int i = 0; i < 4; ++i) {
        int shift = Order == ByteOrder::kLittleEndian ? 8 * i : 24 - 8 * i;
        at[i] = static_cast<std::uint8_t>(value >> shift);
    }
}

}  // namespace pathbook
