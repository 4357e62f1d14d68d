#include "document/plain_runs.h"

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

#if PATHBOOK_VECTOR_UNITS
__m128i Bytes(int value) { return _mm_set1_epi8(static_cast<char>(value)); }
// Lanes whose (unsigned) byte is at most `most`.
__m128i AtMost(__m128i bytes, int most) { return _mm_cmpeq_epi8(_mm_subs_epu8(bytes, Bytes(most)), _mm_setzero_si128()); }
__m128i Within(__m128i bytes, int low, int high) { return AtMost(_mm_sub_epi8(bytes, Bytes(low)), high - low); }
// Sixteen units as bytes: units up to 0xFF as they are, larger ones as 0xFF,
// which like them is above ASCII.
__m128i AsBytes(__m128i low, __m128i high) {
    const __m128i most = _mm_set1_epi16(0xFF);
    return _mm_packus_epi16(_mm_sub_epi16(low, _mm_subs_epu16(low, most)), _mm_sub_epi16(high, _mm_subs_epu16(high, most)));
}

// For each set of lanes that start a run (bit n: lane n): the run-length bits
// of each starting lane, its run taken to the next start or to the eighth lane.
struct StartRunTable {
    alignas(16) Attribute lengths[256][8];
};

constexpr StartRunTable MakeStartRunTable() {
    StartRunTable table{};
    for (unsigned lanes = 0; lanes < 256; ++lanes) {
        for (unsigned lane = 0; lane < 8; ++lane) {
            if ((lanes >> lane & 1) == 0) continue;
            unsigned next = lane + 1;
            while (next < 8 && (lanes >> next & 1) == 0) ++next;
            table.lengths[lanes][lane] = RunLengthBits(next - lane);
        }
    }
    return table;
}

constexpr StartRunTable kStartRuns = MakeStartRunTable();

// Read from 8 - n on: eight lanes of which the first n are set.
constexpr Attribute kFirstLanes[16] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};

// One bit per byte lane, lane 0 lowest.
unsigned LaneBits(__m128i lanes) { return static_cast<unsigned>(_mm_movemask_epi8(lanes)); }
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
    Cursor cursor{kNoKey, 0, words, 0};
    UnitCount i = 0;
#if PATHBOOK_VECTOR_UNITS
    for (; length - i >= 16; i += 16) {
        if (!ClassifySixteen(units + i, words + i, i, cursor, 0)) return false;
    }
    if (i < length) {
        if (length < 16) return ClassifyShort(units, words, length, cursor);
        // The last sixteen units, of which those before i are done already.
        const UnitCount last = length - 16;
        return ClassifySixteen(units + last, words + last, last, cursor, i - last);
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
    cursor.runStartWord = words + cursor.runStart;
    cursor.startBits = starts ? bits : cursor.startBits;
    *cursor.runStartWord = static_cast<Attribute>(cursor.startBits | RunLengthBits(i + 1 - cursor.runStart));
    cursor.previousKey = key;
    return true;
}

#if PATHBOOK_VECTOR_UNITS
// The same for sixteen units at once, without a branch per run: the class bits
// and run keys come from comparisons of the units as bytes, then StoreEight
// writes the words eight at a time.
bool PlainRuns::ClassifySixteen(const char16_t* units, Attribute* sixteenWords, UnitCount i, Cursor& cursor,
                                unsigned doneLanes) const {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 8));
    const __m128i bytes = AsBytes(low, high);
    const __m128i ideographicSpace = _mm_packs_epi16(_mm_cmpeq_epi16(low, _mm_set1_epi16(0x3000)),
                                                     _mm_cmpeq_epi16(high, _mm_set1_epi16(0x3000)));
    const __m128i ascii = AtMost(bytes, kLineSentinel - 1);
    const __m128i control = AtMost(bytes, 0x1F);
    const __m128i space = _mm_cmpeq_epi8(bytes, Bytes(' '));
    const __m128i word = _mm_or_si128(_mm_or_si128(Within(bytes, '0', '9'), Within(_mm_or_si128(bytes, Bytes(0x20)), 'a', 'z')),
                                      _mm_cmpeq_epi8(bytes, Bytes('_')));
    const __m128i symbol = _mm_andnot_si128(_mm_or_si128(_mm_or_si128(control, space), word), ascii);
    if (anySymbolMayStart_) {
        for (unsigned lanes = LaneBits(symbol); lanes != 0; lanes &= lanes - 1) {
            if ((asciiEntries_[units[LowestBit(lanes)]] & kGeneralPath) != 0) return false;
        }
    }
    const __m128i key = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(space, Bytes(kSpaceKey)), _mm_and_si128(word, Bytes(kWordKey))),
        _mm_or_si128(_mm_and_si128(symbol, Bytes(kSymbolKey)),
                     _mm_or_si128(_mm_andnot_si128(ascii, Bytes(kNonAsciiKey)),
                                  _mm_and_si128(ideographicSpace, Bytes(kIdeographicSpaceKey ^ kNonAsciiKey)))));
    // Lane 0 is compared with itself here and with the unit before the sixteen
    // apart, so that the vector work of one call never waits for the last.
    const __m128i keyBefore = _mm_or_si128(_mm_slli_si128(key, 1), _mm_and_si128(key, _mm_cvtsi32_si128(0xFF)));
    const __m128i alwaysStarts = _mm_or_si128(symbol, _mm_cmpeq_epi8(bytes, Bytes(kLineSentinel)));
    const __m128i starts = _mm_or_si128(alwaysStarts, _mm_andnot_si128(_mm_cmpeq_epi8(key, keyBefore), Bytes(-1)));
    const unsigned firstKey = static_cast<unsigned>(_mm_cvtsi128_si32(key)) & 0xFF;
    const unsigned firstLaneStarts = doneLanes == 0 && firstKey != cursor.previousKey ? 1u : 0u;
    const unsigned startLanes = (LaneBits(starts) | firstLaneStarts) & (~0u << doneLanes);
    cursor.previousKey = static_cast<unsigned>(_mm_extract_epi16(key, 7)) >> 8;
    const __m128i bits = _mm_or_si128(_mm_and_si128(space, Bytes(ClassBits(kSpaceClass))),
                                      _mm_andnot_si128(_mm_or_si128(control, space), Bytes(ClassBits(kTextClass))));
    // The same classes as lane bits, for the run that stays open after the
    // sixteen: read back from the stored words, they would wait for the store.
    ClassLanes classLanes{LaneBits(space), ~LaneBits(_mm_or_si128(control, space)) & 0xFFFF};
    if (doneLanes < 8) {
        StoreEight(_mm_unpacklo_epi8(bits, _mm_setzero_si128()), startLanes & 0xFF, classLanes, sixteenWords, i, cursor,
                   doneLanes);
    }
    classLanes.space >>= 8;
    classLanes.text >>= 8;
    StoreEight(_mm_unpackhi_epi8(bits, _mm_setzero_si128()), startLanes >> 8, classLanes, sixteenWords + 8, i + 8,
               cursor, doneLanes > 8 ? doneLanes - 8 : 0);
    return true;
}

// Writes the words of units i..i + 8 but the first `doneLanes`: their class
// bits, and on each lane of `startLanes` the length of its run, up to the next
// start or to the eighth lane, from a table. The run still open before them
// gets its length in one store.
void PlainRuns::StoreEight(__m128i bits, unsigned startLanes, ClassLanes classLanes, Attribute* eightWords,
                           UnitCount i, Cursor& cursor, unsigned doneLanes) {
    const UnitCount firstStart = i + static_cast<UnitCount>(LowestBit(startLanes | 0x100));
    *cursor.runStartWord = static_cast<Attribute>(cursor.startBits | RunLengthBits(firstStart - cursor.runStart));
    __m128i words = _mm_or_si128(bits, _mm_load_si128(reinterpret_cast<const __m128i*>(kStartRuns.lengths[startLanes])));
    if (doneLanes != 0) {
        // Read after the store above, which may have been to one of them.
        const __m128i done = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kFirstLanes + 8 - doneLanes));
        const __m128i kept = _mm_loadu_si128(reinterpret_cast<const __m128i*>(eightWords));
        words = _mm_or_si128(_mm_and_si128(done, kept), _mm_andnot_si128(done, words));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(eightWords), words);
    // Without a branch: whether any lane starts a run is hard to foresee.
    const int lastStart = HighestBit(startLanes | 1);
    const bool anyStart = startLanes != 0;
    cursor.runStart = anyStart ? i + static_cast<UnitCount>(lastStart) : cursor.runStart;
    cursor.runStartWord = anyStart ? eightWords + lastStart : cursor.runStartWord;
    const unsigned lastBits = (classLanes.space >> lastStart & 1) * ClassBits(kSpaceClass) |
                              (classLanes.text >> lastStart & 1) * ClassBits(kTextClass);
    cursor.startBits = anyStart ? lastBits : cursor.startBits;
}

// The units of a line shorter than sixteen go through the same path
// padded with sentinels, which start runs of their own and so end the line's
// last run where the line ends. Their words are made apart and copied over.
bool PlainRuns::ClassifyShort(const char16_t* units, Attribute* words, UnitCount length, Cursor& cursor) const {
    char16_t padded[16];
    Attribute paddedWords[16];
    for (UnitCount lane = 0; lane < 16; ++lane) padded[lane] = lane < length ? units[lane] : kLineSentinel;
    if (!ClassifySixteen(padded, paddedWords, 0, cursor, 0)) return false;
    for (UnitCount lane = 0; lane < length; ++lane) words[lane] = paddedWords[lane];
    return true;
}
#endif

}  // namespace pathbook
