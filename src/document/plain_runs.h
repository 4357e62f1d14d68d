// The tokenizer's fast path for the common line: no keywords to look up and no
// symbol that may start a delimiter (or escape one), so the state stays
// normal, no link can form, and the words are the runs alone: the same words
// as the general path, which only ever finds delimiters at symbols. Where the
// processor has SSE2, sixteen units are classified at once.
#pragma once

#include <array>
#include <cstdint>

#include "document/attributes.h"
#include "document/delimiter_set.h"
#include "document/doc_pos.h"
#include "runtime/vector_units.h"

namespace pathbook {

class PlainRuns {
public:
    // The ASCII symbols that may start a delimiter of `delimiters` send a line
    // to the general path.
    explicit PlainRuns(const DelimiterSet& delimiters);

    // Writes the words of `units[0..length)` and returns true; returns false,
    // with the words half written, at the first symbol that may start a delimiter.
    bool Classify(const char16_t* units, Attribute* words, UnitCount length) const;

private:
    // Where the classification stands: the word of the current run's first
    // unit always holds the run's class and its length so far.
    struct Cursor {
        unsigned previousKey;      // run key of the unit before
        UnitCount runStart;        // where the current run starts
        // Where the word of its first unit is kept: in the line's words, or in
        // the padded copy a short line is classified in. A pointer, because
        // rebasing runStart on every store costs the vector path a tenth.
        Attribute* runStartWord;
        unsigned startBits;        // class bits of the run
    };

    bool ClassifyUnit(const char16_t* units, Attribute* words, UnitCount i, Cursor& cursor) const;
#if PATHBOOK_VECTOR_UNITS
    // `units` are the units i..i + 16 of the line; their words go to
    // `sixteenWords`, but for the first `doneLanes`, which are classified already.
    bool ClassifySixteen(const char16_t* units, Attribute* sixteenWords, UnitCount i, Cursor& cursor,
                         unsigned doneLanes) const;
    // Which lanes hold a space and which text (the rest are control units).
    struct ClassLanes {
        unsigned space;
        unsigned text;
    };
    static void StoreEight(__m128i bits, unsigned startLanes, ClassLanes classLanes, Attribute* eightWords,
                           UnitCount i, Cursor& cursor, unsigned doneLanes);
    bool ClassifyShort(const char16_t* units, Attribute* words, UnitCount length, Cursor& cursor) const;
#endif

    // Per ASCII unit: its word bits, the kind of run it continues, whether it
    // always starts a run of its own, and whether it needs the general path.
    std::array<std::uint16_t, 128> asciiEntries_;
    bool anySymbolMayStart_ = false;
};

}  // namespace pathbook
