// How far a text runs in one class of units, eight units a step where the
// processor has SSE2, for the writers and the loss check: ASCII (which most
// code pages write as it is), printable ASCII (which the loss check need not
// look up), and units that are no surrogate. Each returns the length of the
// run at the start of `units[0..count)`. Tested by encoder_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook {

std::uint32_t AsciiRun(const char16_t* units, std::uint32_t count);
std::uint32_t PrintableAsciiRun(const char16_t* units, std::uint32_t count);
std::uint32_t NonSurrogateRun(const char16_t* units, std::uint32_t count);

// Stores the low byte of each of `count` units (ASCII, for the callers) at `out`.
void NarrowUnits(const char16_t* units, std::uint32_t count, std::uint8_t* out);

}  // namespace pathbook
