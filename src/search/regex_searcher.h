// RegexSearcher: the Searcher for regular expressions. Forward it returns the
// leftmost match start at or after `start`, backward the rightmost at or
// before it; at that start it takes the longest non-empty match, which may run
// past `start` to the line end. "^" allows column 0 only (forward, only from
// start 0), "$" only matches reaching the line end. A pattern that can only
// match the empty string finds nothing. A line without a unit that every
// match requires (required_units.h) is passed over after one vector scan, and
// a forward search reads no further than the last unit a match can end with.
// Tested by tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>

#include "search/regex.h"
#include "search/regex_matcher.h"
#include "search/searcher.h"
#include "runtime/unit_scan.h"

namespace pathbook::search {

class RegexSearcher : public Searcher {
public:
    RegexSearcher(const char16_t* pattern, std::int32_t length, bool caseSensitive, bool forward);
    RegexSearcher(const RegexSearcher&) = delete;  // the matchers point into regex_
    RegexSearcher& operator=(const RegexSearcher&) = delete;

    bool Search(const char16_t* text, std::int32_t length, std::int32_t start, std::int32_t* outStart,
                std::int32_t* outEnd) override;

    const Regex& Pattern() const { return regex_; }

private:
    // False when the part of the line a match could cover lacks the required unit.
    bool MayHoldMatch(const char16_t* text, std::int32_t length, std::int32_t start) const;
    bool SearchForward(const char16_t* text, std::int32_t length, std::int32_t start, LineMatch* match);
    bool SearchBackward(const char16_t* text, std::int32_t length, std::int32_t start, LineMatch* match);

    Regex regex_;
    bool forward_;
    UnitFilter firstUnits_;  // what a non-empty match can begin with, and its literal prefix
    UnitFilter lastUnits_;   // what a non-empty match can end with
    bool hasRequired_ = false;
    UnitProbe required_;  // with hasRequired_: every match contains a unit it matches
    RegexMatcher forwardMatcher_;
    RegexMatcher backwardMatcher_;
};

}  // namespace pathbook::search
