#include "document/tokenizer.h"

#include <utility>

#include "links/link_recognition.h"

namespace pathbook {
namespace {

constexpr unsigned kSymbolClass = 3;  // only in the ASCII table: becomes one-unit text runs or delimiters

constexpr unsigned AsciiClass(unsigned unit) {
    if (unit < 0x20) return kControlClass;
    if (unit == 0x20) return kSpaceClass;
    if ((unit >= '0' && unit <= '9') || (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z') || unit == '_') {
        return kTextClass;
    }
    return kSymbolClass;
}

struct CharClassTable {
    std::uint8_t entries[128];
    constexpr CharClassTable() : entries() {
        for (unsigned unit = 0; unit < 128; ++unit) entries[unit] = static_cast<std::uint8_t>(AsciiClass(unit));
    }
};
constexpr CharClassTable kCharClasses;

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
UnitCount NonAsciiRunEnd(const char16_t* units, UnitCount start) {
    UnitCount end = start + 1;
    if (units[start] == 0x3000) {
        while (units[end] == 0x3000) ++end;
    } else {
        while (units[end] >= 0x80 && units[end] != 0x3000) ++end;
    }
    return end;
}

bool IsAsciiOfClass(char16_t unit, unsigned tokenClass) {
    return unit < kLineSentinel && kCharClasses.entries[unit] == tokenClass;
}

UnitCount AsciiRunEnd(const char16_t* units, UnitCount start, UnitCount length, unsigned tokenClass, bool escape) {
    UnitCount end = start + 1;
    if (tokenClass == kSymbolClass && escape) {
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
    while (IsAsciiOfClass(units[end], tokenClass)) ++end;
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
    : keywords_(std::move(keywords)), delimiters_(std::move(delimiters)) {}

TokenizerState Tokenizer::ClassifyLine(Line& line, TokenizerState startState) const {
    const char16_t* units = line.Text();
    Attribute* words = line.Attributes();
    const UnitCount length = line.Length();
    TokenizerState state = kNormalState;
    UnitCount i = 0;
    while (i < length) {
        if (units[i] >= kLineSentinel) {
            UnitCount end = NonAsciiRunEnd(units, i);
            FillRun(words, i, end, ClassBits(kTextClass) | StateBits(state));
            i = end;
            continue;
        }
        unsigned tokenClass = kCharClasses.entries[units[i]];
        UnitCount end = AsciiRunEnd(units, i, length, tokenClass, delimiters_.Escapes());
        if (tokenClass == kTextClass) {
            Attribute keyword = keywords_.Contains(units + i, end - i) ? kKeywordBit : 0;
            FillRun(words, i, end, ClassBits(kTextClass) | StateBits(state) | keyword);
        } else if (tokenClass != kSymbolClass) {
            FillRun(words, i, end, ClassBits(tokenClass) | StateBits(state));
        } else {
            // Symbols are runs of one unit each, except for the delimiters among them.
            while (i < end) {
                DelimiterMatch found = delimiters_.FindDelimiter(units + i, end - i);
                for (UnitCount k = 0; k < found.position; ++k, ++i) {
                    FillRun(words, i, i + 1, ClassBits(kTextClass) | StateBits(state));
                }
                if (found.kind == kNoDelimiter) break;
                TokenizerState before = state;
                state = NextState(state, found.kind);
                TokenizerState shown = found.kind == kBlockEnd ? before : state;
                FillRun(words, i, i + found.length, ClassBits(kBlockEndClass + found.kind) | StateBits(shown));
                i += found.length;
            }
        }
        i = end;
    }
    MarkLinks(line);
    line.startState = startState;
    line.endStates = 0;
    line.finalized = false;
    return kNormalState;
}

void Tokenizer::FinalizeLine(Line& line) {
    Attribute* words = line.Attributes();
    const UnitCount length = line.Length();
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
    line.finalized = true;
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
