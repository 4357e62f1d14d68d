#include "view/line_measure.h"

#include <algorithm>

#include "runtime/bit_scan.h"
#include "runtime/vector_units.h"

namespace pathbook {
namespace {

constexpr bool IsPrintableAscii(char16_t unit) { return unit >= 0x20 && unit < 0x7F; }

#if PATHBOOK_VECTOR_UNITS
// Two bits per unit of the eight from `units`, set where the unit is printable ASCII.
unsigned PrintableAsciiBits(const char16_t* units) {
    // Shifted down by 0x20, the printable units are the signed values 0 to 0x5E.
    const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i shifted = _mm_sub_epi16(loaded, _mm_set1_epi16(0x20));
    const __m128i plain =
        _mm_and_si128(_mm_cmpgt_epi16(shifted, _mm_set1_epi16(-1)), _mm_cmplt_epi16(shifted, _mm_set1_epi16(0x5F)));
    return static_cast<unsigned>(_mm_movemask_epi8(plain));
}
#endif

// How many of the first `count` units are printable ASCII, eight a step
// where the vector paths are built.
UnitCount PrintableAsciiPrefix(const char16_t* units, UnitCount count) {
    UnitCount i = 0;
#if PATHBOOK_VECTOR_UNITS
    for (; count - i >= 8; i += 8) {
        const unsigned others = ~PrintableAsciiBits(units + i) & 0xFFFF;
        if (others != 0) return i + static_cast<UnitCount>(LowestBit(others)) / 2;
    }
#endif
    while (i < count && IsPrintableAscii(units[i])) ++i;
    return i;
}

// Whether the sixteen units from `units` are all printable ASCII. Tested as
// one block, the answer stays the same over long stretches of English and of
// Japanese mixed in word by word, where the answer for a shorter block flips
// with the words of the mix.
bool SixteenPrintableAscii(const char16_t* units) {
#if PATHBOOK_VECTOR_UNITS
    return (PrintableAsciiBits(units) & PrintableAsciiBits(units + 8)) == 0xFFFF;
#else
    return PrintableAsciiPrefix(units, 16) == 16;
#endif
}

}  // namespace

Pixels RowWidth(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount from, UnitCount to) {
    const std::int16_t* widths = metrics.PlainWidths();
    const std::int32_t pitch = metrics.AsciiPitch();
    to = to < length ? to : length;
    Pixels x = 0;
    UnitCount i = from;
    while (i < to) {
        if (pitch > 0 && IsPrintableAscii(text[i])) {
            const UnitCount run = PrintableAsciiPrefix(text + i, to - i);
            x += Pixels{run} * pitch;
            i += run;
            continue;
        }
        if (i + 4 <= to) {
            const std::int32_t a = widths[text[i]];
            const std::int32_t b = widths[text[i + 1]];
            const std::int32_t c = widths[text[i + 2]];
            const std::int32_t d = widths[text[i + 3]];
            if ((a | b | c | d) >= 0) {
                x += Pixels{a} + b + c + d;
                i += 4;
                continue;
            }
        }
        const std::int32_t width = widths[text[i]];
        x = width >= 0 ? x + width : metrics.Advance(text, i, length, x);
        ++i;
    }
    return x;
}

namespace {

// The width of the eight units from `i` when each has a width of its own
// (no tab, no surrogate, measured); -1 otherwise.
Pixels EightWidth(const Metrics& metrics, const char16_t* text, UnitCount i) {
    const std::int16_t* widths = metrics.PlainWidths();
    const char16_t* units = text + i;
#if PATHBOOK_VECTOR_UNITS
    __m128i eight = _mm_cvtsi32_si128(widths[units[0]]);
    eight = _mm_insert_epi16(eight, widths[units[1]], 1);
    eight = _mm_insert_epi16(eight, widths[units[2]], 2);
    eight = _mm_insert_epi16(eight, widths[units[3]], 3);
    eight = _mm_insert_epi16(eight, widths[units[4]], 4);
    eight = _mm_insert_epi16(eight, widths[units[5]], 5);
    eight = _mm_insert_epi16(eight, widths[units[6]], 6);
    eight = _mm_insert_epi16(eight, widths[units[7]], 7);
    // The sign bit of each 16-bit width is the top bit of its odd byte.
    if ((_mm_movemask_epi8(eight) & 0xAAAA) != 0) return -1;
    __m128i sums = _mm_madd_epi16(eight, _mm_set1_epi16(1));
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, 0x4E));
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, 0xB1));
    return _mm_cvtsi128_si32(sums);
#else
    std::int32_t sum = 0;
    std::int32_t any = 0;
    for (int k = 0; k < 8; ++k) {
        sum += widths[units[k]];
        any |= widths[units[k]];
    }
    return any < 0 ? -1 : sum;
#endif
}

struct Fit {
    UnitCount units;
    Pixels width;
};

// How many of the eight units from `units`, each with a width of its own, fit
// one after the other in `room` pixels, and their width. No width is negative,
// so the running sums rise and every sum within `room` is one more unit: no
// branch per unit at the end of each row.
Fit FittingOfEight(const std::int16_t* widths, const char16_t* units, Pixels room) {
    Fit fit{0, 0};
    Pixels sum = 0;
    for (int k = 0; k < 8; ++k) {
        sum += widths[units[k]];
        const bool fits = sum <= room;
        fit.units += fits ? 1 : 0;
        fit.width = fits ? sum : fit.width;
    }
    return fit;
}

// Takes units from `i` into a row that has reached `x` while they end at or
// before `wrapWidth`; with kFollowLine, `lineX` follows them in line coordinates.
// Printable ASCII of a fixed-pitch font is counted; other units are taken
// eight a step while they have widths of their own, and a row that ends inside
// such a block takes what fits of it in one go. Tabs, surrogates and units not
// measured yet go one by one; so does the line's tail, after four at once.
template <bool kFollowLine>
UnitCount TakeRow(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount i, Pixels x,
                  Pixels wrapWidth, Pixels* lineX) {
    const std::int16_t* widths = metrics.PlainWidths();
    const std::int32_t pitch = metrics.AsciiPitch();
    // One unit, when it fits: a tab, a surrogate, one not measured yet, or one near the row's end.
    auto takeOne = [&]() {
        const std::int32_t width = widths[text[i]];
        const Pixels next = width >= 0 ? x + width : metrics.Advance(text, i, length, x);
        if (next > wrapWidth) return false;
        if constexpr (kFollowLine) *lineX = width >= 0 ? *lineX + width : metrics.Advance(text, i, length, *lineX);
        x = next;
        ++i;
        return true;
    };
    auto take = [&](Pixels step, UnitCount units) {
        x += step;
        if constexpr (kFollowLine) *lineX += step;
        i += units;
    };
    while (length - i >= 8) {
        // A run that fills the next sixteen is likely long: as many of it as
        // fit are counted. In mixed text most blocks are not.
        if (pitch > 0 && x < wrapWidth && length - i >= 16 && SixteenPrintableAscii(text + i)) {
            const Pixels fit = std::min<Pixels>((wrapWidth - x) / pitch, length - i);
            const UnitCount run = PrintableAsciiPrefix(text + i, static_cast<UnitCount>(fit));
            if (run == 0) break;
            take(Pixels{run} * pitch, run);
            continue;
        }
        const Pixels step = EightWidth(metrics, text, i);
        if (step >= 0 && x + step > wrapWidth) {
            const Fit fit = FittingOfEight(widths, text + i, wrapWidth - x);
            take(fit.width, fit.units);
            return i;
        }
        if (step >= 0) {
            take(step, 8);
        } else if (!takeOne()) {
            return i;
        }
    }
    // The line's last units, or the row's end inside an ASCII run: four more
    // may fit, then one by one.
    if (length - i >= 4) {
        const char16_t* units = text + i;
        const std::int32_t a = widths[units[0]];
        const std::int32_t b = widths[units[1]];
        const std::int32_t c = widths[units[2]];
        const std::int32_t d = widths[units[3]];
        const Pixels step = Pixels{a} + b + c + d;
        if ((a | b | c | d) >= 0 && x + step <= wrapWidth) take(step, 4);
    }
    while (i < length && takeOne()) {
    }
    return i;
}

}  // namespace

void BreakRows(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount start, Pixels wrapWidth,
               std::vector<UnitCount>& ends) {
    UnitCount i = start;
    while (i < length) {
        // The first unit is taken even when it alone is wider than the row.
        const Pixels x = metrics.Advance(text, i, length, 0);
        i = TakeRow<false>(metrics, text, length, i + 1, x, wrapWidth, nullptr);
        ends.push_back(i);
    }
}

Pixels MeasureAndBreak(const Metrics& metrics, const char16_t* text, UnitCount length, Pixels wrapWidth,
                       std::vector<UnitCount>& ends) {
    Pixels lineX = 0;
    UnitCount i = 0;
    while (i < length) {
        const Pixels x = metrics.Advance(text, i, length, 0);
        lineX = metrics.Advance(text, i, length, lineX);
        i = TakeRow<true>(metrics, text, length, i + 1, x, wrapWidth, &lineX);
        ends.push_back(i);
    }
    return lineX;
}

}  // namespace pathbook
