#include "document/plain_runs.h"

#include "document/char_classes.h"

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

}  // namespace

PlainRuns::PlainRuns(const DelimiterSet& delimiters) : asciiEntries_() {
    for (unsigned unit = 0; unit < 128; ++unit) {
        bool general = delimiters.MayStart(static_cast<char16_t>(unit));
        asciiEntries_[unit] = static_cast<std::uint16_t>(AsciiEntry(unit) | (general ? kGeneralPath : 0));
    }
}

// The start of the current run is rewritten at every unit with the length so
// far, so one pass finds the runs without looking ahead.
bool PlainRuns::Classify(const char16_t* units, Attribute* words, UnitCount length) const {
    unsigned previousKey = kNoKey << kKeyShift;
    UnitCount runStart = 0;
    unsigned startBits = 0;
    for (UnitCount i = 0; i < length; ++i) {
        const char16_t unit = units[i];
        const unsigned entry = unit < 128 ? asciiEntries_[unit] : unit == 0x3000 ? kIdeographicSpaceEntry : kNonAsciiEntry;
        if ((entry & kGeneralPath) != 0) return false;
        const unsigned key = entry & kKeyMask;
        const bool starts = (entry & kAlwaysStarts) != 0 || key != previousKey;
        const unsigned bits = entry & kClassMask;
        words[i] = static_cast<Attribute>(bits);
        runStart = starts ? i : runStart;
        startBits = starts ? bits : startBits;
        words[runStart] = static_cast<Attribute>(startBits | RunLengthBits(i + 1 - runStart));
        previousKey = key;
    }
    return true;
}

}  // namespace pathbook
