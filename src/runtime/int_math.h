// Integer helpers for pixel and position arithmetic done in 64 bits.
#pragma once

#include <algorithm>
#include <cstdint>

namespace pathbook {

// `value` clamped to the 32-bit range: a coordinate far off screen stays far off.
constexpr std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// a / b rounded towards minus infinity; `b` is not 0.
constexpr std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

}  // namespace pathbook
