// Classifies the units of a line for colouring, word-wise movement and links:
// cuts the line into runs, marks keywords, delimiters of the comment grammar
// and links in angle brackets. The comment bits are a second, lazy pass.
//
// States: 0 normal, 1 line comment, 2 inside "<" ... ">", 3 block region.
// Every line is classified from the normal state, so a block opened on one
// line ends with that line.
//
// Cost: linear in the line length. Runs need one table lookup per unit,
// keywords one hash and a short chain, delimiters are searched only inside
// symbol runs; the sentinel ends every scan.
#pragma once

#include <cstdint>

#include "document/delimiter_set.h"
#include "document/keywords.h"
#include "document/line.h"
#include "document/plain_runs.h"

namespace pathbook {

using TokenizerState = std::uint8_t;
constexpr TokenizerState kNormalState = 0;

// The state after a delimiter of `kind` (0..4) in `state` (0..3).
TokenizerState NextState(TokenizerState state, DelimiterKind kind);

class Tokenizer {
public:
    Tokenizer(KeywordTable keywords, DelimiterSet delimiters);
    Tokenizer(const Tokenizer&) = delete;
    Tokenizer& operator=(const Tokenizer&) = delete;

    // Rewrites every attribute word of `line` (links included) and clears
    // `finalized`. Every line starts in the normal state: no state carries
    // from one line to the next.
    void ClassifyLine(Line& line) const;

    // Replaces bit 0 of every word by the comment bit and sets `finalized`.
    static void FinalizeLine(Line& line);
    // Sets the link and file-name bits of the "<"..">" spans that form links.
    static void MarkLinks(Line& line);

    const KeywordTable& Keywords() const { return keywords_; }
    const DelimiterSet& Delimiters() const { return delimiters_; }

private:
    // The classification state and whether a "<" delimiter was found so far.
    struct SymbolScan {
        TokenizerState state;
        bool sawOpenAngle;
    };
    // Classifies the symbol run at `start` and returns its end.
    UnitCount ClassifySymbols(const char16_t* units, Attribute* words, UnitCount start, UnitCount length,
                              SymbolScan& scan) const;

    KeywordTable keywords_;
    DelimiterSet delimiters_;
    PlainRuns plainRuns_;  // built from delimiters_
};

}  // namespace pathbook
