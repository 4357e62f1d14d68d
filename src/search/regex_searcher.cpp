// Tested by tests/unit/search/regex_grammar_test.cpp and tests/unit/search/regex_reference_test.cpp.
#include "search/regex_searcher.h"

#include <algorithm>

#include "search/required_units.h"

namespace pathbook::search {

RegexSearcher::RegexSearcher(const char16_t* pattern, std::int32_t length, bool caseSensitive, bool forward)
    : regex_(pattern, length),
      forward_(forward),
      firstUnits_(regex_.ForwardProgram().FirstUnits(caseSensitive), LiteralPrefix(regex_.Tree(), caseSensitive)),
      lastUnits_(regex_.BackwardProgram().FirstUnits(caseSensitive)),
      forwardMatcher_(regex_.ForwardProgram(), caseSensitive),
      backwardMatcher_(regex_.BackwardProgram(), caseSensitive) {
    hasRequired_ = FindRequiredUnit(regex_.Tree(), caseSensitive, &required_);
}

bool RegexSearcher::Search(const char16_t* text, std::int32_t length, std::int32_t start, std::int32_t* outStart,
                           std::int32_t* outEnd) {
    if (regex_.HasError() || firstUnits_.Empty() || length <= 0 || !MayHoldMatch(text, length, start)) return false;
    LineMatch match;
    bool found = forward_ ? SearchForward(text, length, start, &match) : SearchBackward(text, length, start, &match);
    if (!found) return false;
    *outStart = match.start;
    *outEnd = match.end;
    return true;
}

// Forward matches lie in [start, length); backward ones begin at or before
// `start` but may run on to the line end.
bool RegexSearcher::MayHoldMatch(const char16_t* text, std::int32_t length, std::int32_t start) const {
    if (!hasRequired_) return true;
    std::int32_t from = forward_ ? std::max(start, 0) : 0;
    return FindUnitForward(text, from, length - 1, required_) >= 0;
}

// Every match ends with a unit of lastUnits_, so nothing behind the last such
// unit can be inside one, unless "$" ties matches to the line end: the
// automaton stops there instead of reading on (for "a.*Z", on to the line end).
bool RegexSearcher::SearchForward(const char16_t* text, std::int32_t length, std::int32_t start, LineMatch* match) {
    if (!regex_.AnchoredEnd()) {
        std::int32_t lastEnd = lastUnits_.NextBackward(text, std::max(start, 0), length - 1);
        if (lastEnd < 0) return false;
        length = lastEnd + 1;
    }
    return forwardMatcher_.FindForward(text, length, start, regex_.AnchoredStart(), regex_.AnchoredEnd(),
                                       firstUnits_, match);
}

bool RegexSearcher::SearchBackward(const char16_t* text, std::int32_t length, std::int32_t start,
                                   LineMatch* match) {
    if (start < 0) return false;
    if (regex_.AnchoredStart()) {
        std::int32_t longest = forwardMatcher_.LongestAt(text, length);
        if (longest <= 0 || (regex_.AnchoredEnd() && longest != length)) return false;
        *match = {0, longest};
        return true;
    }
    if (!backwardMatcher_.FindStartBackward(text, length, start, regex_.AnchoredEnd(), regex_.MaxLength(),
                                            lastUnits_, match)) {
        return false;
    }
    if (!regex_.AnchoredEnd()) {
        match->end = match->start + forwardMatcher_.LongestAt(text + match->start, length - match->start);
    }
    return true;
}

}  // namespace pathbook::search
