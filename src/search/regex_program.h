// The automaton a pattern compiles to (regex_compiler.h builds it, the matcher
// runs it). State 0 is the start, state 1 the final state; nothing leaves the
// final state. A transition either moves without input (epsilon) or consumes
// one unit that its CharSet accepts. Tested by tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "search/regex_syntax.h"

namespace pathbook::search {

using StateIndex = std::int32_t;
constexpr StateIndex kStartState = 0;
constexpr StateIndex kFinalState = 1;

// A match length with no bound (the pattern repeats with "*" or "+").
constexpr std::int32_t kUnboundedLength = -1;

// Which units one transition accepts. With case ignored a unit is accepted when
// it or its other-case ASCII letter lies in a range, so ignoring case only ever
// widens a set; other units never fold.
class CharSet {
public:
    CharSet(std::vector<UnitRange> ranges, bool negated);

    bool Accepts(char16_t unit, bool caseSensitive) const {
        const std::vector<UnitRange>& ranges = caseSensitive ? exact_ : folded_;
        bool inside = false;
        for (const UnitRange& range : ranges) {
            if (unit < range.low) break;
            if (unit <= range.high) {
                inside = true;
                break;
            }
        }
        return inside != negated_;
    }
    // The accepted units as sorted, disjoint ranges (negation applied).
    std::vector<UnitRange> AcceptedRanges(bool caseSensitive) const;

private:
    std::vector<UnitRange> exact_;   // sorted, disjoint, not adjacent
    std::vector<UnitRange> folded_;  // exact_ plus the other case of its ASCII letters, same form
    bool negated_;
};

// 65536 bits, one per UTF-16 unit.
class UnitSet {
public:
    UnitSet() : words_(1024, 0) {}
    bool Has(char16_t unit) const { return (words_[unit >> 6] >> (unit & 63)) & 1; }
    void AddRange(UnitRange range);
    bool Empty() const;
    // Stores its smallest units, ascending, in out[0 .. capacity) and returns
    // how many it holds, counting no further than capacity + 1.
    std::int32_t Members(char16_t* out, std::int32_t capacity) const;

private:
    std::vector<std::uint64_t> words_;
};

class Program {
public:
    Program();  // the start and the final state, no transitions

    StateIndex AddState();
    void AddEpsilon(StateIndex from, StateIndex to);
    void AddStep(StateIndex from, StateIndex to, CharSet set);
    // Lays the transitions out for matching; no Add* afterwards.
    void Finish();

    std::int32_t StateCount() const { return static_cast<std::int32_t>(epsilonBegin_.size()) - 1; }
    const StateIndex* EpsilonBegin(StateIndex s) const { return epsilonTargets_.data() + epsilonBegin_[s]; }
    const StateIndex* EpsilonEnd(StateIndex s) const { return epsilonTargets_.data() + epsilonBegin_[s + 1]; }
    std::int32_t StepBegin(StateIndex s) const { return stepBegin_[s]; }
    std::int32_t StepEnd(StateIndex s) const { return stepBegin_[s + 1]; }
    StateIndex StepTarget(std::int32_t step) const { return steps_[step].target; }
    const CharSet& StepSet(std::int32_t step) const { return sets_[steps_[step].set]; }

    // The units a non-empty match can begin with.
    UnitSet FirstUnits(bool caseSensitive) const;

    // Transition targets are valid states; the final state has no transitions.
    bool CheckInvariants() const;

private:
    struct Step {
        std::int32_t set;
        StateIndex target;
    };
    struct Pending {
        StateIndex from;
        StateIndex to;
        std::int32_t set;  // -1 for an epsilon
    };

    std::int32_t stateCount_ = 2;
    std::vector<Pending> pending_;  // until Finish
    std::vector<CharSet> sets_;
    // After Finish: the transitions of state s are [begin[s], begin[s + 1]).
    std::vector<std::int32_t> epsilonBegin_;
    std::vector<StateIndex> epsilonTargets_;
    std::vector<std::int32_t> stepBegin_;
    std::vector<Step> steps_;
};

}  // namespace pathbook::search
