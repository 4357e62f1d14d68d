// The positions of the lowest and highest set bits of a mask, for the vector
// scans that turn a comparison into a bit mask. `mask` must not be 0.
#pragma once

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace pathbook {

inline int LowestBit(unsigned mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanForward(&index, mask);
    return static_cast<int>(index);
#else
    return __builtin_ctz(mask);
#endif
}

inline int HighestBit(unsigned mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanReverse(&index, mask);
    return static_cast<int>(index);
#else
    return 31 - __builtin_clz(mask);
#endif
}

}  // namespace pathbook
