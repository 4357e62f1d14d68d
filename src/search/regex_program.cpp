// Tested by tests/unit/search/regex_grammar_test.cpp.
#include "search/regex_program.h"

#include <algorithm>
#include <utility>

namespace pathbook::search {
namespace {

std::vector<UnitRange> Normalise(std::vector<UnitRange> ranges) {
    std::sort(ranges.begin(), ranges.end(), [](UnitRange a, UnitRange b) { return a.low < b.low; });
    std::vector<UnitRange> merged;
    for (const UnitRange& range : ranges) {
        if (!merged.empty() && range.low <= merged.back().high + 1) {
            merged.back().high = std::max(merged.back().high, range.high);
        } else {
            merged.push_back(range);
        }
    }
    return merged;
}

// Adds the part of `range` inside [from, to], moved by `shift`.
void AddShifted(std::vector<UnitRange>& out, UnitRange range, char16_t from, char16_t to, int shift) {
    char16_t low = std::max(range.low, from);
    char16_t high = std::min(range.high, to);
    if (low > high) return;
    out.push_back({static_cast<char16_t>(low + shift), static_cast<char16_t>(high + shift)});
}

std::vector<UnitRange> CaseClosed(const std::vector<UnitRange>& ranges) {
    std::vector<UnitRange> closed = ranges;
    for (const UnitRange& range : ranges) {
        AddShifted(closed, range, u'a', u'z', -0x20);
        AddShifted(closed, range, u'A', u'Z', 0x20);
    }
    return Normalise(std::move(closed));
}

}  // namespace

CharSet::CharSet(std::vector<UnitRange> ranges, bool negated)
    : exact_(Normalise(std::move(ranges))), folded_(CaseClosed(exact_)), negated_(negated) {}

std::vector<UnitRange> CharSet::AcceptedRanges(bool caseSensitive) const {
    const std::vector<UnitRange>& ranges = caseSensitive ? exact_ : folded_;
    if (!negated_) return ranges;
    std::vector<UnitRange> complement;
    std::uint32_t next = 0;  // first unit not yet covered
    for (const UnitRange& range : ranges) {
        if (range.low > next) complement.push_back({static_cast<char16_t>(next), static_cast<char16_t>(range.low - 1)});
        next = static_cast<std::uint32_t>(range.high) + 1;
    }
    if (next <= 0xFFFF) complement.push_back({static_cast<char16_t>(next), 0xFFFF});
    return complement;
}

void UnitSet::AddRange(UnitRange range) {
    for (std::uint32_t unit = range.low; unit <= range.high;) {
        if ((unit & 63) == 0 && unit + 63 <= range.high) {
            words_[unit >> 6] = ~std::uint64_t(0);
            unit += 64;
        } else {
            words_[unit >> 6] |= std::uint64_t(1) << (unit & 63);
            ++unit;
        }
    }
}

bool UnitSet::Empty() const {
    return std::all_of(words_.begin(), words_.end(), [](std::uint64_t word) { return word == 0; });
}

std::int32_t UnitSet::Members(char16_t* out, std::int32_t capacity) const {
    std::int32_t count = 0;
    for (std::size_t w = 0; w < words_.size(); ++w) {
        for (std::uint32_t bit = 0; bit < 64 && words_[w] >> bit != 0; ++bit) {
            if (((words_[w] >> bit) & 1) == 0) continue;
            if (count == capacity) return capacity + 1;
            out[count++] = static_cast<char16_t>(w * 64 + bit);
        }
    }
    return count;
}

Program::Program() = default;

StateIndex Program::AddState() { return stateCount_++; }

void Program::AddEpsilon(StateIndex from, StateIndex to) { pending_.push_back({from, to, -1}); }

void Program::AddStep(StateIndex from, StateIndex to, CharSet set) {
    sets_.push_back(std::move(set));
    pending_.push_back({from, to, static_cast<std::int32_t>(sets_.size() - 1)});
}

void Program::Finish() {
    auto count = static_cast<std::size_t>(stateCount_);
    epsilonBegin_.assign(count + 1, 0);
    stepBegin_.assign(count + 1, 0);
    for (const Pending& t : pending_) ++(t.set < 0 ? epsilonBegin_ : stepBegin_)[static_cast<std::size_t>(t.from) + 1];
    for (std::size_t s = 0; s < count; ++s) {
        epsilonBegin_[s + 1] += epsilonBegin_[s];
        stepBegin_[s + 1] += stepBegin_[s];
    }
    epsilonTargets_.resize(static_cast<std::size_t>(epsilonBegin_[count]));
    steps_.resize(static_cast<std::size_t>(stepBegin_[count]));
    std::vector<std::int32_t> epsilonFill(epsilonBegin_.begin(), epsilonBegin_.end() - 1);
    std::vector<std::int32_t> stepFill(stepBegin_.begin(), stepBegin_.end() - 1);
    for (const Pending& t : pending_) {
        auto from = static_cast<std::size_t>(t.from);
        if (t.set < 0) {
            epsilonTargets_[static_cast<std::size_t>(epsilonFill[from]++)] = t.to;
        } else {
            steps_[static_cast<std::size_t>(stepFill[from]++)] = {t.set, t.to};
        }
    }
    pending_.clear();
    pending_.shrink_to_fit();
}

UnitSet Program::FirstUnits(bool caseSensitive) const {
    UnitSet first;
    std::vector<bool> seen(static_cast<std::size_t>(StateCount()), false);
    std::vector<StateIndex> stack{kStartState};
    seen[kStartState] = true;
    while (!stack.empty()) {
        StateIndex state = stack.back();
        stack.pop_back();
        for (std::int32_t step = StepBegin(state); step < StepEnd(state); ++step) {
            for (const UnitRange& range : StepSet(step).AcceptedRanges(caseSensitive)) first.AddRange(range);
        }
        for (const StateIndex* target = EpsilonBegin(state); target != EpsilonEnd(state); ++target) {
            if (!seen[static_cast<std::size_t>(*target)]) {
                seen[static_cast<std::size_t>(*target)] = true;
                stack.push_back(*target);
            }
        }
    }
    return first;
}

bool Program::CheckInvariants() const {
    if (!pending_.empty() || StateCount() < 2) return false;
    if (EpsilonBegin(kFinalState) != EpsilonEnd(kFinalState) || StepBegin(kFinalState) != StepEnd(kFinalState)) {
        return false;
    }
    bool targetsValid = std::all_of(epsilonTargets_.begin(), epsilonTargets_.end(),
                                    [this](StateIndex s) { return s >= 0 && s < StateCount(); });
    return targetsValid && std::all_of(steps_.begin(), steps_.end(), [this](const Step& step) {
               return step.target >= 0 && step.target < StateCount() && step.set >= 0 &&
                      step.set < static_cast<std::int32_t>(sets_.size());
           });
}

}  // namespace pathbook::search
