#include "document/plain_runs.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define PATHBOOK_PLAIN_RUNS_SSE2 1
#endif

#include "document/char_classes.h"
#include "runtime/bit_scan.h"

namespace pathbook {
namespace {

// Entry layout: the word's class bits (kClassMask), the run key, and two flags.
// A unit stays in the run of the unit before it when their keys are equal and
// it does not always start a run. Symbols and U+007F always start one; a run
// started by U+007F goes on over the units above ASCII, so it takes their key.
constexpr std::uint16_t kKeyShift = 8;
constexpr std::uint16_t kKeyMask = 0x0700;
constexpr std::uint16_t kGeneralPath = 0x4000;
constexpr std::uint16_t kAlwaysStarts = 0x8000;

enum RunKey : std::uint16_t {
    kControlKey,
    kSpaceKey,
    kWordKey,
    kSymbolKey,
    kNonAsciiKey,
    kIdeographicSpaceKey,
    kNoKey,  // before the first unit
};

constexpr std::uint16_t Entry(unsigned tokenClass, RunKey key, bool alwaysStarts) {
    return static_cast<std::uint16_t>(ClassBits(tokenClass) | (key << kKeyShift) | (alwaysStarts ? kAlwaysStarts : 0));
}

constexpr std::uint16_t kNonAsciiEntry = Entry(kTextClass, kNonAsciiKey, false);
constexpr std::uint16_t kIdeographicSpaceEntry = Entry(kTextClass, kIdeographicSpaceKey, false);

constexpr std::uint16_t AsciiEntry(unsigned unit) {
    if (unit == kLineSentinel) return Entry(kTextClass, kNonAsciiKey, true);
    switch (kCharClasses.entries[unit]) {
        case kControlClass: return Entry(kControlClass, kControlKey, false);
        case kSpaceClass: return Entry(kSpaceClass, kSpaceKey, false);
        case kTextClass: return Entry(kTextClass, kWordKey, false);
        default: return Entry(kTextClass, kSymbolKey, true);
    }
}

#if PATHBOOK_PLAIN_RUNS_SSE2
__m128i Fill(int value) { return _mm_set1_epi16(static_cast<short>(value)); }
__m128i Equal(__m128i units, int value) { return _mm_cmpeq_epi16(units, Fill(value)); }
// Only for lanes known to hold units below 0x8000 (the comparison is signed).
__m128i Within(__m128i units, int low, int high) {
    return _mm_and_si128(_mm_cmpgt_epi16(units, Fill(low - 1)), _mm_cmplt_epi16(units, Fill(high + 1)));
}
// One bit per lane, lane 0 lowest.
unsigned LaneBits(__m128i lanes) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(lanes, _mm_setzero_si128())));
}
#endif

}  // namespace

PlainRuns::PlainRuns(const DelimiterSet& delimiters) : asciiEntries_() {
    for (unsigned unit = 0; unit < 128; ++unit) {
        bool general = IsAsciiOfClass(static_cast<char16_t>(unit), kSymbolClass) &&
                       delimiters.MayStart(static_cast<char16_t>(unit));
        asciiEntries_[unit] = static_cast<std::uint16_t>(AsciiEntry(unit) | (general ? kGeneralPath : 0));
        anySymbolMayStart_ = anySymbolMayStart_ || general;
    }
}

bool PlainRuns::Classify(const char16_t* units, Attribute* words, UnitCount length) const {
    Cursor cursor{kNoKey, 0, 0};
    UnitCount i = 0;
#if PATHBOOK_PLAIN_RUNS_SSE2
    for (; length - i >= 8; i += 8) {
        if (!ClassifyEight(units, words, i, cursor)) return false;
    }
#endif
    for (; i < length; ++i) {
        if (!ClassifyUnit(units, words, i, cursor)) return false;
    }
    return true;
}

// The start of the current run is rewritten at every unit with the length so
// far, so one pass finds the runs without looking ahead.
bool PlainRuns::ClassifyUnit(const char16_t* units, Attribute* words, UnitCount i, Cursor& cursor) const {
    const char16_t unit = units[i];
    const unsigned entry = unit < 128 ? asciiEntries_[unit] : unit == 0x3000 ? kIdeographicSpaceEntry : kNonAsciiEntry;
    if ((entry & kGeneralPath) != 0) return false;
    const unsigned key = (entry & kKeyMask) >> kKeyShift;
    const bool starts = (entry & kAlwaysStarts) != 0 || key != cursor.previousKey;
    const unsigned bits = entry & kClassMask;
    words[i] = static_cast<Attribute>(bits);
    cursor.runStart = starts ? i : cursor.runStart;
    cursor.startBits = starts ? bits : cursor.startBits;
    words[cursor.runStart] = static_cast<Attribute>(cursor.startBits | RunLengthBits(i + 1 - cursor.runStart));
    cursor.previousKey = key;
    return true;
}

#if PATHBOOK_PLAIN_RUNS_SSE2
// The same for units[i..i + 8), lane by lane: the class bits and run keys come
// from comparisons, and only the run starts among the eight are visited.
bool PlainRuns::ClassifyEight(const char16_t* units, Attribute* words, UnitCount i, Cursor& cursor) const {
    const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
    const __m128i ascii = _mm_cmpeq_epi16(_mm_subs_epu16(u, Fill(kLineSentinel - 1)), _mm_setzero_si128());
    const __m128i control = _mm_and_si128(ascii, _mm_cmplt_epi16(u, Fill(0x20)));
    const __m128i space = Equal(u, 0x20);
    const __m128i word = _mm_or_si128(_mm_or_si128(Within(u, '0', '9'), Within(_mm_or_si128(u, Fill(0x20)), 'a', 'z')),
                                      Equal(u, '_'));
    const __m128i symbol = _mm_andnot_si128(_mm_or_si128(_mm_or_si128(control, space), word), ascii);
    const __m128i ideographicSpace = Equal(u, 0x3000);
    if (anySymbolMayStart_) {
        for (unsigned lanes = LaneBits(symbol); lanes != 0; lanes &= lanes - 1) {
            if ((asciiEntries_[units[i + LowestBit(lanes)]] & kGeneralPath) != 0) return false;
        }
    }
    const __m128i key = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(space, Fill(kSpaceKey)), _mm_and_si128(word, Fill(kWordKey))),
        _mm_or_si128(_mm_and_si128(symbol, Fill(kSymbolKey)),
                     _mm_or_si128(_mm_andnot_si128(ascii, Fill(kNonAsciiKey)),
                                  _mm_and_si128(ideographicSpace, Fill(kIdeographicSpaceKey ^ kNonAsciiKey)))));
    const __m128i keyBefore = _mm_insert_epi16(_mm_slli_si128(key, 2), static_cast<int>(cursor.previousKey), 0);
    const __m128i alwaysStarts = _mm_or_si128(symbol, Equal(u, kLineSentinel));
    const __m128i starts = _mm_or_si128(alwaysStarts, _mm_andnot_si128(_mm_cmpeq_epi16(key, keyBefore), Fill(-1)));
    const __m128i bits = _mm_or_si128(_mm_and_si128(space, Fill(ClassBits(kSpaceClass))),
                                      _mm_andnot_si128(_mm_or_si128(control, space), Fill(ClassBits(kTextClass))));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(words + i), bits);
    for (unsigned lanes = LaneBits(starts); lanes != 0; lanes &= lanes - 1) {
        const UnitCount start = i + LowestBit(lanes);
        const unsigned startBits = words[start];  // read first: the line's first run has no run before it
        words[cursor.runStart] = static_cast<Attribute>(cursor.startBits | RunLengthBits(start - cursor.runStart));
        cursor.runStart = start;
        cursor.startBits = startBits;
    }
    words[cursor.runStart] = static_cast<Attribute>(cursor.startBits | RunLengthBits(i + 8 - cursor.runStart));
    cursor.previousKey = static_cast<unsigned>(_mm_extract_epi16(key, 7));
    return true;
}
#endif

}  // namespace pathbook
