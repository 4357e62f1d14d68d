#include "document/tokenizer.h"

#include <cassert>
#include <utility>

#include "document/char_classes.h"
#include "document/plain_runs.h"
#include "document/link_recognition.h"

namespace pathbook {
namespace {

// Delimiter kind by column, state by row.
constexpr TokenizerState kTransitions[4][5] = {
    {0, 3, 1, 2, 0},
    {1, 1, 1, 1, 1},
    {2, 2, 2, 2, 0},
    {0, 3, 3, 3, 3},
};

Attribute StateBits(TokenizerState state) { return static_cast<Attribute>(state & kStateBits); }

// A run of `start..end` whose words are `bits`, its length on the first unit.
void FillRun(Attribute* words, UnitCount start, UnitCount end, Attribute bits) {
    words[start] = static_cast<Attribute>(bits | RunLengthBits(end - start));
    for (UnitCount i = start + 1; i < end; ++i) words[i] = bits;
}

// Writes `bits` over the run that starts at `start` and goes on while
// `continues` accepts the next unit, in the same pass that finds the run's end
// (the sentinel is accepted by no test, so the scan needs no bounds check).
template <typename Continues>
UnitCount ScanRun(const char16_t* units, Attribute* words, UnitCount start, Attribute bits, Continues continues) {
    UnitCount end = start + 1;
    while (continues(units[end])) words[end++] = bits;
    words[start] = static_cast<Attribute>(bits | RunLengthBits(end - start));
    return end;
}

// Whether the run-length fields describe whole runs: each run starts with its
// length (7 for seven or more) and its other units hold 0.
[[maybe_unused]] bool RunLengthsHold(const Attribute* words, UnitCount length) {
    for (UnitCount start = 0; start < length;) {
        unsigned stored = RunLengthOf(words[start]);
        UnitCount end = start + 1;
        while (end < length && RunLengthOf(words[end]) == 0) ++end;
        if (stored == 0 || (stored < kLongRun ? end - start != stored : end - start < kLongRun)) return false;
        start = end;
    }
    return true;
}

// Where the run starting at `start` ends: a stored length of 7 (or a
// continuation unit taken as a start) goes on over the continuation units.
UnitCount RunEnd(const Attribute* words, UnitCount start, UnitCount length) {
    unsigned stored = RunLengthOf(words[start]);
    UnitCount end = start + (stored == 0 ? 1 : stored);
    if (stored == 0 || stored == kLongRun) {
        while (end < length && RunLengthOf(words[end]) == 0) ++end;
    }
    return end < length ? end : length;
}

// Non-ASCII units and U+007F: a run of ideographic spaces, or of anything
// else above ASCII.
UnitCount ScanNonAsciiRun(const char16_t* units, Attribute* words, UnitCount start, Attribute bits) {
    if (units[start] == 0x3000) {
        return ScanRun(units, words, start, bits, [](char16_t unit) { return unit == 0x3000; });
    }
    return ScanRun(units, words, start, bits, [](char16_t unit) { return unit >= 0x80 && unit != 0x3000; });
}

UnitCount ScanAsciiRun(const char16_t* units, Attribute* words, UnitCount start, unsigned tokenClass,
                       Attribute bits) {
    return ScanRun(units, words, start, bits, [tokenClass](char16_t unit) { return IsAsciiOfClass(unit, tokenClass); });
}

// A run of symbols; with escapes on, a "\" that is not the line's last unit
// takes the unit after it into the run.
UnitCount SymbolRunEnd(const char16_t* units, UnitCount start, UnitCount length, bool escape) {
    UnitCount end = start + 1;
    if (escape) {
        end = start;
        for (;;) {
            if (units[end] == u'\\' && end + 1 < length) {
                end += 2;
            } else if (IsAsciiOfClass(units[end], kSymbolClass)) {
                ++end;
            } else {
                break;
            }
        }
        return end;
    }
    while (IsAsciiOfClass(units[end], kSymbolClass)) ++end;
    return end;
}

void MarkFileName(const char16_t* units, Attribute* words, UnitCount open, UnitCount close) {
    UnitCount nameStart = open + 1;
    for (UnitCount i = close; i > open + 1; --i) {
        if (units[i - 1] == u'\\' || units[i - 1] == u'/') {
            nameStart = i;
            break;
        }
    }
    for (UnitCount i = nameStart; i < close; ++i) words[i] |= kFileNameBit;
}

}  // namespace

TokenizerState NextState(TokenizerState state, DelimiterKind kind) { return kTransitions[state & 3][kind]; }

Tokenizer::Tokenizer(KeywordTable keywords, DelimiterSet delimiters)
    : keywords_(std::move(keywords)), delimiters_(std::move(delimiters)), plainRuns_(delimiters_) {}

// One pass over the line: each run's words are written while its end is
// found, so the text is read once, straight after it was stored.
void Tokenizer::ClassifyLine(Line& line) const {
    line.SetFinalized(false);
    const char16_t* units = line.Text();
    Attribute* words = line.Attributes();
    const UnitCount length = line.Length();
    if (keywords_.Empty() && plainRuns_.Classify(units, words, length)) return;
    SymbolScan symbols{kNormalState, false};
    UnitCount i = 0;
    while (i < length) {
        const char16_t unit = units[i];
        const Attribute stateBits = StateBits(symbols.state);
        if (unit >= kLineSentinel) {
            i = ScanNonAsciiRun(units, words, i, ClassBits(kTextClass) | stateBits);
            continue;
        }
        const unsigned tokenClass = kCharClasses.entries[unit];
        if (tokenClass == kSymbolClass) {
            i = ClassifySymbols(units, words, i, length, symbols);
            continue;
        }
        UnitCount end = ScanAsciiRun(units, words, i, tokenClass, ClassBits(tokenClass) | stateBits);
        if (tokenClass == kTextClass && !keywords_.Empty() && keywords_.Contains(units + i, end - i)) {
            for (UnitCount k = i; k < end; ++k) words[k] |= kKeywordBit;
        }
        i = end;
    }
    // Only a "<" delimiter can start a link.
    if (symbols.sawOpenAngle) MarkLinks(line);
}

// Symbols are runs of one unit each, except for the delimiters among them.
UnitCount Tokenizer::ClassifySymbols(const char16_t* units, Attribute* words, UnitCount start, UnitCount length,
                                     SymbolScan& scan) const {
    const UnitCount end = SymbolRunEnd(units, start, length, delimiters_.Escapes());
    UnitCount i = start;
    if (end - start == 1 && !delimiters_.MayStart(units[start])) {
        FillRun(words, i, end, ClassBits(kTextClass) | StateBits(scan.state));
        return end;
    }
    while (i < end) {
        DelimiterMatch found = delimiters_.FindDelimiter(units + i, end - i);
        for (UnitCount k = 0; k < found.position; ++k, ++i) {
            FillRun(words, i, i + 1, ClassBits(kTextClass) | StateBits(scan.state));
        }
        if (found.kind == kNoDelimiter) break;
        TokenizerState before = scan.state;
        scan.state = NextState(scan.state, found.kind);
        scan.sawOpenAngle = scan.sawOpenAngle || found.kind == kOpenAngle;
        TokenizerState shown = found.kind == kBlockEnd ? before : scan.state;
        FillRun(words, i, i + found.length, ClassBits(kBlockEndClass + found.kind) | StateBits(shown));
        i += found.length;
    }
    return end;
}

void Tokenizer::FinalizeLine(Line& line) {
    Attribute* words = line.Attributes();
    const UnitCount length = line.Length();
    assert(RunLengthsHold(words, length));
    TokenizerState state = kNormalState;
    UnitCount i = 0;
    while (i < length) {
        UnitCount end = RunEnd(words, i, length);
        unsigned tokenClass = ClassOf(words[i]);
        if (tokenClass >= kBlockBeginClass) {
            state = NextState(state, static_cast<DelimiterKind>(tokenClass - kBlockEndClass));
        }
        Attribute comment = state & kCommentBit;
        for (UnitCount k = i; k < end; ++k) words[k] = static_cast<Attribute>((words[k] & ~kCommentBit) | comment);
        if (tokenClass == kBlockEndClass) state = NextState(state, kBlockEnd);
        i = end;
    }
    line.SetFinalized(true);
}

// Every run start carries its length, so looking at each "<" unit visits the
// same "<" runs as walking the runs would.
void Tokenizer::MarkLinks(Line& line) {
    const char16_t* units = line.Text();
    Attribute* words = line.Attributes();
    const UnitCount length = line.Length();
    for (UnitCount i = 0; i < length; ++i) {
        if (units[i] != u'<' || ClassOf(words[i]) != kOpenAngleClass || RunLengthOf(words[i]) == 0 ||
            (words[i] & kCommentBit) != 0) {
            continue;
        }
        UnitCount linkLength = MatchLink(units + i + 1, length - i - 1);
        UnitCount close = i + 1 + linkLength;
        if (linkLength == 0 || close >= length || ClassOf(words[close]) != kCloseAngleClass) continue;
        for (UnitCount k = i; k <= close; ++k) words[k] |= kLinkBit;
        if (ClassifyLink(units + i + 1, linkLength) == LinkKind::kFile) MarkFileName(units, words, i, close);
        i = close;
    }
}

}  // namespace pathbook
