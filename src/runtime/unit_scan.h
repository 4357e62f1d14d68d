// Scans over UTF-16 text for window starts where given units sit at given
// offsets: the char16_t counterpart of memchr, which the C library lacks,
// widened to test two units per window so that few false candidates survive.
// On x86 SSE2 (always present on x86-64) tests eight windows per step; other
// targets, and the few windows left at the end of a span, take a scalar loop
// with the same results. A scan reads only text[w + offset] for the windows
// w it covers, never past them. Tested by tests/unit/search/unit_scan_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook::search {

// Matches a unit equal to `a` or `b`: one unit (a == b), or both cases of an
// ASCII letter.
struct UnitProbe {
    char16_t a = 0;
    char16_t b = 0;
    bool Matches(char16_t unit) const { return unit == a || unit == b; }
};

// `unit`, or both of its cases when `foldAscii` and it is an ASCII letter.
UnitProbe ProbeFor(char16_t unit, bool foldAscii);

// A probe at a fixed distance from a window start.
struct OffsetProbe {
    UnitProbe probe;
    std::int32_t offset = 0;  // >= 0
};

// The smallest window start w in [first, last] where both probes match
// text[w + offset]; -1 when there is none (or first > last).
std::int32_t FindWindowForward(const char16_t* text, std::int32_t first, std::int32_t last, OffsetProbe one,
                               OffsetProbe two);

// The largest window start w in [first, last] where both probes match; -1 when none.
std::int32_t FindWindowBackward(const char16_t* text, std::int32_t first, std::int32_t last, OffsetProbe one,
                                OffsetProbe two);

// The first position in [first, last] whose unit `probe` matches; -1 when none.
inline std::int32_t FindUnitForward(const char16_t* text, std::int32_t first, std::int32_t last, UnitProbe probe) {
    return FindWindowForward(text, first, last, {probe, 0}, {probe, 0});
}

}  // namespace pathbook::search
