// Tested by tests/unit/search/regex_grammar_test.cpp and tests/unit/search/regex_reference_test.cpp.
#include "search/regex_matcher.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace pathbook::search {
namespace {

constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::max();

}  // namespace

RegexMatcher::RegexMatcher(const Program& program, bool caseSensitive)
    : program_(program), caseSensitive_(caseSensitive), stamp_(static_cast<std::size_t>(program.StateCount()), 0) {
    stack_.reserve(static_cast<std::size_t>(program.StateCount()));
}

void RegexMatcher::NewGeneration() {
    if (++generation_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0);
        generation_ = 1;
    }
}

bool RegexMatcher::AddClosure(StateIndex state, std::int32_t origin, StateList& list) {
    if (stamp_[static_cast<std::size_t>(state)] == generation_) return false;
    bool reachedFinal = false;
    stamp_[static_cast<std::size_t>(state)] = generation_;
    stack_.push_back(state);
    while (!stack_.empty()) {
        StateIndex s = stack_.back();
        stack_.pop_back();
        reachedFinal = reachedFinal || s == kFinalState;
        if (program_.StepBegin(s) != program_.StepEnd(s)) {
            list.states.push_back(s);
            list.starts.push_back(origin);
        }
        for (const StateIndex* t = program_.EpsilonBegin(s); t != program_.EpsilonEnd(s); ++t) {
            if (stamp_[static_cast<std::size_t>(*t)] != generation_) {
                stamp_[static_cast<std::size_t>(*t)] = generation_;
                stack_.push_back(*t);
            }
        }
    }
    return reachedFinal;
}

bool RegexMatcher::Step(const StateList& from, char16_t unit, std::int32_t originLimit, StateList& to,
                        std::int32_t* finalOrigin) {
    *finalOrigin = -1;
    for (std::size_t i = 0; i < from.states.size(); ++i) {
        std::int32_t origin = from.starts[i];
        if (origin > originLimit) continue;
        StateIndex state = from.states[i];
        for (std::int32_t step = program_.StepBegin(state); step < program_.StepEnd(state); ++step) {
            if (!program_.StepSet(step).Accepts(unit, caseSensitive_)) continue;
            // `from` is ordered by origin, so the first origin to reach the final state is the smallest.
            if (AddClosure(program_.StepTarget(step), origin, to) && *finalOrigin < 0) *finalOrigin = origin;
        }
    }
    return !to.states.empty();
}

std::int32_t RegexMatcher::LongestAt(const char16_t* text, std::int32_t n) {
    NewGeneration();
    current_.Clear();
    std::int32_t longest = AddClosure(kStartState, 0, current_) ? 0 : -1;
    for (std::int32_t p = 0; p < n && !current_.states.empty();) {
        NewGeneration();
        next_.Clear();
        std::int32_t finalOrigin = -1;
        Step(current_, text[p], kNoLimit, next_, &finalOrigin);
        ++p;
        if (finalOrigin >= 0) longest = p;
        std::swap(current_, next_);
    }
    return longest;
}

bool RegexMatcher::FindForward(const char16_t* text, std::int32_t length, std::int32_t start, bool anchoredStart,
                               bool anchoredEnd, const UnitFilter& firstUnits, LineMatch* match) {
    if (start < 0) start = 0;
    if ((anchoredStart && start != 0) || start >= length) return false;
    LineMatch best{-1, -1};
    NewGeneration();
    current_.Clear();
    for (std::int32_t p = start;;) {
        bool mayStartHere = best.start < 0 && p < length && (!anchoredStart || p == 0);
        if (mayStartHere && firstUnits.Has(text[p])) AddClosure(kStartState, p, current_);
        if (current_.states.empty()) {
            if (best.start >= 0 || anchoredStart) break;
            p = firstUnits.NextForward(text, p + 1, length - 1);
            if (p < 0) break;
            NewGeneration();
            continue;
        }
        if (p >= length) break;
        NewGeneration();
        next_.Clear();
        std::int32_t finalOrigin = -1;
        Step(current_, text[p], best.start >= 0 ? best.start : kNoLimit, next_, &finalOrigin);
        ++p;
        if (finalOrigin >= 0 && (!anchoredEnd || p == length)) {
            if (best.start < 0 || finalOrigin < best.start) {
                best = {finalOrigin, p};
            } else if (finalOrigin == best.start) {
                best.end = p;
            }
        }
        std::swap(current_, next_);
    }
    if (best.start < 0) return false;
    *match = best;
    return true;
}

bool RegexMatcher::FindStartBackward(const char16_t* text, std::int32_t length, std::int32_t start,
                                     bool anchoredEnd, std::int32_t maxLength, const UnitFilter& lastUnits,
                                     LineMatch* match) {
    start = std::min(start, length - 1);
    if (start < 0) return false;
    std::int32_t p = length;
    if (!anchoredEnd && maxLength != kUnboundedLength) {
        p = static_cast<std::int32_t>(std::min<std::int64_t>(length, std::int64_t{start} + maxLength));
    }
    NewGeneration();
    current_.Clear();
    AddClosure(kStartState, 0, current_);
    while (p > 0) {
        NewGeneration();
        next_.Clear();
        std::int32_t finalOrigin = -1;
        Step(current_, text[p - 1], kNoLimit, next_, &finalOrigin);
        --p;
        if (finalOrigin >= 0 && p <= start) {
            *match = {p, anchoredEnd ? length : p};
            return true;
        }
        if (next_.states.empty()) {
            // Only a fresh thread would be live: jump to the next unit a match can end with.
            if (anchoredEnd) return false;
            std::int32_t j = lastUnits.NextBackward(text, 0, p - 1);
            if (j < 0) return false;
            p = j + 1;
            NewGeneration();
            current_.Clear();
            AddClosure(kStartState, 0, current_);
            continue;
        }
        if (!anchoredEnd) AddClosure(kStartState, 0, next_);
        std::swap(current_, next_);
    }
    return false;
}

}  // namespace pathbook::search
