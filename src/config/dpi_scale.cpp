#include "config/dpi_scale.h"

#include <limits>

namespace pathbook {
namespace {

std::int32_t MulDivRounded(std::int32_t value, std::int32_t numerator, std::int32_t denominator) {
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded < kLow ? kLow : rounded > kHigh ? kHigh : rounded);
}

std::int32_t Effective(std::int32_t dpi) { return dpi >= 1 ? dpi : kBaseDpi; }

}  // namespace

std::int32_t ScaleToDpi(std::int32_t value, std::int32_t dpi) { return MulDivRounded(value, Effective(dpi), kBaseDpi); }

std::int32_t ScaleFromDpi(std::int32_t value, std::int32_t dpi) {
    return MulDivRounded(value, kBaseDpi, Effective(dpi));
}

}  // namespace pathbook
