// Runs a Program over one line. All three searches simulate the automaton
// over a set of live states, so each unit is read a bounded number of times
// and a search costs O(line length x automaton size) for any pattern.
//
// Forward search keeps, per live state, the earliest match start that reaches
// it: two starts at the same state and position have the same futures, so
// the earlier one dominates both for "leftmost start" and, once it is the best
// start, for "longest end". States are kept in order of their starts so that
// the first arrival at a state is the earliest. When no state is live the
// matcher skips to the next unit that can begin a match.
//
// Backward search runs the reversed automaton from the right: after reading
// text[q] it knows whether some non-empty match starts at q, so the first such
// q at or below `start` is the answer; the forward longest match then gives
// the end. A pattern of bounded length L needs the scan to begin only L units
// to the right of `start`.
//
// Tested by tests/unit/search/regex_grammar_test.cpp and the differential test
// tests/unit/search/regex_reference_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "search/regex_program.h"
#include "search/unit_filter.h"

namespace pathbook::search {

// A match [start, end) within one line; end > start.
struct LineMatch {
    std::int32_t start = 0;
    std::int32_t end = 0;
};

class RegexMatcher {
public:
    // The program must outlive the matcher.
    RegexMatcher(const Program& program, bool caseSensitive);

    // Length of the longest match that starts at text[0] within n units (0 for
    // an empty one), or -1 when none does.
    std::int32_t LongestAt(const char16_t* text, std::int32_t n);

    // The leftmost q >= start (q == 0 only when anchoredStart) that begins a
    // non-empty match (one ending at `length` when anchoredEnd), with the
    // longest such match at q.
    bool FindForward(const char16_t* text, std::int32_t length, std::int32_t start, bool anchoredStart,
                     bool anchoredEnd, const UnitFilter& firstUnits, LineMatch* match);

    // Run on the reversed program: the largest q <= start that begins a
    // non-empty match of the forward pattern; for anchoredEnd the match ends at
    // `length` and is returned whole, otherwise only match->start is set.
    // `maxLength` is the forward pattern's bound (kUnboundedLength for none).
    bool FindStartBackward(const char16_t* text, std::int32_t length, std::int32_t start, bool anchoredEnd,
                           std::int32_t maxLength, const UnitFilter& lastUnits, LineMatch* match);

private:
    // A set of live states with the match start each carries; insertion order.
    struct StateList {
        std::vector<StateIndex> states;
        std::vector<std::int32_t> starts;
        void Clear() {
            states.clear();
            starts.clear();
        }
    };

    void NewGeneration();
    // Adds `state` and everything its epsilons reach with `origin`; true when the final state is among them.
    bool AddClosure(StateIndex state, std::int32_t origin, StateList& list);
    // Moves every state of `from` over `unit` into `to` (closed); origins above
    // `originLimit` are dropped. Reports the smallest origin that reached the final state.
    bool Step(const StateList& from, char16_t unit, std::int32_t originLimit, StateList& to,
              std::int32_t* finalOrigin);

    const Program& program_;
    bool caseSensitive_;
    // stamp_[s] == generation_ when s is in the list being built.
    std::vector<std::uint32_t> stamp_;
    std::uint32_t generation_ = 0;
    std::vector<StateIndex> stack_;
    StateList current_;
    StateList next_;
};

}  // namespace pathbook::search
