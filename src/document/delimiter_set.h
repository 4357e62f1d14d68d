// The delimiters of the comment grammar and the angle brackets, and the search
// for them inside a run of ASCII symbols.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/doc_pos.h"

namespace pathbook {

enum DelimiterKind : std::uint32_t {
    kBlockEnd = 0,
    kBlockBegin = 1,
    kLineComment = 2,
    kOpenAngle = 3,   // "<"
    kCloseAngle = 4,  // ">"
    kNoDelimiter = 5,
};

struct DelimiterMatch {
    UnitCount position;  // the run's length when nothing was found
    DelimiterKind kind;
    UnitCount length;
};

class DelimiterSet {
public:
    // Empty strings mean "no such delimiter". A delimiter whose first unit is
    // outside ASCII can never be found.
    DelimiterSet(std::u16string blockEnd, std::u16string blockBegin, std::u16string lineComment, bool openAngle,
                 bool closeAngle, bool escape);

    bool Escapes() const { return escape_; }
    // False for a unit that can neither start a delimiter nor escape one.
    bool MayStart(char16_t unit) const { return unit < 128 && firstUnits_[unit]; }

    // The first delimiter in `units[0..count)`. At each position the line
    // comment is tried before the block begin and the block end, then "<" and
    // ">"; with escapes on, a "\" hides the unit after it.
    DelimiterMatch FindDelimiter(const char16_t* units, UnitCount count) const;

private:
    void MarkFirstUnit(char16_t unit) {
        if (unit < 128) firstUnits_[unit] = true;
    }

    std::array<std::u16string, 3> strings_;  // by kind 0..2; empty when absent
    bool openAngle_;
    bool closeAngle_;
    bool escape_;
    std::array<bool, 128> firstUnits_{};  // true for a unit that may start a delimiter
};

}  // namespace pathbook
