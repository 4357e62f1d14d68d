// Sizes the program states for 96 dots per inch (100 %), brought to the dots
// per inch of the monitor a window is on, and back. Tested by doc_type_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook {

constexpr std::int32_t kBaseDpi = 96;

// `value` * `dpi` / 96, rounded to the nearest pixel (halves away from zero);
// a `dpi` below 1 counts as 96.
std::int32_t ScaleToDpi(std::int32_t value, std::int32_t dpi);
// The size at 96 DPI that `value` pixels at `dpi` stand for, rounded alike.
std::int32_t ScaleFromDpi(std::int32_t value, std::int32_t dpi);

}  // namespace pathbook
