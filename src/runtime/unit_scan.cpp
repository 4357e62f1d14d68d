// Tested by tests/unit/search/unit_scan_test.cpp.
#include "runtime/unit_scan.h"

#include "runtime/ascii.h"
#include "runtime/bit_scan.h"
#include "runtime/vector_units.h"

namespace pathbook::search {
namespace {

// Window starts run in 64 bits so that stepping past a last window near the
// 32-bit limit cannot overflow.
using Window = std::int64_t;

bool WindowMatches(const char16_t* text, Window w, const OffsetProbe& one, const OffsetProbe& two) {
    return one.probe.Matches(text[w + one.offset]) && two.probe.Matches(text[w + two.offset]);
}

#if PATHBOOK_VECTOR_UNITS

constexpr std::int32_t kLanes = 8;  // 16-bit units per 128-bit register

struct LaneProbe {
    __m128i a;
    __m128i b;
    std::int32_t offset;
};

LaneProbe Broadcast(const OffsetProbe& probe) {
    return {_mm_set1_epi16(static_cast<short>(probe.probe.a)), _mm_set1_epi16(static_cast<short>(probe.probe.b)),
            probe.offset};
}

__m128i LaneMatches(const char16_t* text, Window w, const LaneProbe& probe) {
    __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + w + probe.offset));
    return _mm_or_si128(_mm_cmpeq_epi16(units, probe.a), _mm_cmpeq_epi16(units, probe.b));
}

// Two mask bits per window w .. w + 7: bits 2k and 2k + 1 are set when window w + k matches both probes.
unsigned WindowMask(const char16_t* text, Window w, const LaneProbe& one, const LaneProbe& two) {
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(LaneMatches(text, w, one), LaneMatches(text, w, two))));
}

#endif

}  // namespace

UnitProbe ProbeFor(char16_t unit, bool foldAscii) {
    if (!foldAscii) return {unit, unit};
    return {unit, IsAsciiLower(unit) ? AsciiToUpper(unit) : AsciiToLower(unit)};
}

std::int32_t FindWindowForward(const char16_t* text, std::int32_t first, std::int32_t last, OffsetProbe one,
                               OffsetProbe two) {
    Window w = first;
#if PATHBOOK_VECTOR_UNITS
    const LaneProbe laneOne = Broadcast(one);
    const LaneProbe laneTwo = Broadcast(two);
    for (; last - w >= kLanes - 1; w += kLanes) {
        if (unsigned mask = WindowMask(text, w, laneOne, laneTwo)) {
            return static_cast<std::int32_t>(w + LowestBit(mask) / 2);
        }
    }
#endif
    for (; w <= last; ++w) {
        if (WindowMatches(text, w, one, two)) return static_cast<std::int32_t>(w);
    }
    return -1;
}

std::int32_t FindWindowBackward(const char16_t* text, std::int32_t first, std::int32_t last, OffsetProbe one,
                                OffsetProbe two) {
    Window w = last;
#if PATHBOOK_VECTOR_UNITS
    const LaneProbe laneOne = Broadcast(one);
    const LaneProbe laneTwo = Broadcast(two);
    for (; w - first >= kLanes - 1; w -= kLanes) {
        Window base = w - (kLanes - 1);
        if (unsigned mask = WindowMask(text, base, laneOne, laneTwo)) {
            return static_cast<std::int32_t>(base + HighestBit(mask) / 2);
        }
    }
#endif
    for (; w >= first; --w) {
        if (WindowMatches(text, w, one, two)) return static_cast<std::int32_t>(w);
    }
    return -1;
}

}  // namespace pathbook::search
