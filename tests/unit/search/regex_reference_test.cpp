// Differential test: the matcher against the straightforward definition — the
// longest match at a start found by exploring every (state, position) pair of
// the automaton, tried at every candidate start in the search direction — on
// random small patterns and lines, in both directions and both case modes.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "search/regex.h"
#include "search/regex_searcher.h"
#include "search_test_support.h"

namespace pathbook::search {
namespace {

// Longest match from text[0] within n units, or -1: the exploration of (state, position) pairs.
std::int32_t ReferenceMatchLength(const Regex& regex, const char16_t* text, std::int32_t n, bool caseSensitive) {
    if (regex.HasError()) return -1;
    const Program& program = regex.ForwardProgram();
    std::vector<std::vector<bool>> seen(static_cast<std::size_t>(program.StateCount()),
                                        std::vector<bool>(static_cast<std::size_t>(n) + 1, false));
    std::vector<std::pair<StateIndex, std::int32_t>> pending{{kStartState, 0}};
    seen[kStartState][0] = true;
    std::int32_t longest = -1;
    auto visit = [&](StateIndex state, std::int32_t position) {
        if (seen[static_cast<std::size_t>(state)][static_cast<std::size_t>(position)]) return;
        seen[static_cast<std::size_t>(state)][static_cast<std::size_t>(position)] = true;
        pending.push_back({state, position});
    };
    while (!pending.empty()) {
        auto [state, position] = pending.back();
        pending.pop_back();
        if (state == kFinalState && position > longest) longest = position;
        for (const StateIndex* t = program.EpsilonBegin(state); t != program.EpsilonEnd(state); ++t) {
            visit(*t, position);
        }
        if (position >= n) continue;
        for (std::int32_t step = program.StepBegin(state); step < program.StepEnd(state); ++step) {
            if (program.StepSet(step).Accepts(text[position], caseSensitive)) {
                visit(program.StepTarget(step), position + 1);
            }
        }
    }
    return longest;
}

std::string ReferenceSearch(const Regex& regex, const std::u16string& line, std::int32_t start, bool caseSensitive,
                            bool forward) {
    auto length = static_cast<std::int32_t>(line.size());
    if (forward && regex.AnchoredStart() && start != 0) return "none";
    std::vector<std::int32_t> candidates;
    if (regex.AnchoredStart()) {
        candidates.push_back(0);
    } else if (forward) {
        for (std::int32_t q = start; q < length; ++q) candidates.push_back(q);
    } else {
        for (std::int32_t q = std::min(start, length); q >= 0; --q) candidates.push_back(q);
    }
    for (std::int32_t q : candidates) {
        if (q >= length) continue;
        std::int32_t r = ReferenceMatchLength(regex, line.data() + q, length - q, caseSensitive);
        if (r > 0 && (!regex.AnchoredEnd() || r == length - q)) {
            return std::to_string(q) + "-" + std::to_string(q + r);
        }
    }
    return "none";
}

std::u16string RandomText(std::mt19937& random, const char16_t* alphabet, std::size_t maxLength) {
    std::u16string alphabetText(alphabet);
    std::u16string text(random() % (maxLength + 1), u' ');
    for (char16_t& unit : text) unit = alphabetText[random() % alphabetText.size()];
    return text;
}

// Random patterns, each on a few random lines of up to `maxLineLength` units,
// from every start; returns the number of searches compared.
int CheckRandomPatterns(unsigned seed, int rounds, std::size_t maxLineLength) {
    std::mt19937 random(seed);
    const char16_t* patternAlphabet = u"aabbAB..**++??||(()[[]]^-$\\dws";
    const char16_t* lineAlphabet = u"aabbAB-_ 1\t";
    int checked = 0;
    for (int round = 0; round < rounds; ++round) {
        std::u16string pattern = RandomText(random, patternAlphabet, 8);
        Regex regex(pattern.data(), static_cast<std::int32_t>(pattern.size()));
        for (int l = 0; l < 4; ++l) {
            std::u16string line = RandomText(random, lineAlphabet, maxLineLength);
            auto length = static_cast<std::int32_t>(line.size());
            for (bool caseSensitive : {true, false}) {
                EXPECT_EQ(regex.MatchLength(line.data(), length, caseSensitive),
                          ReferenceMatchLength(regex, line.data(), length, caseSensitive))
                    << std::string(pattern.begin(), pattern.end());
                for (bool forward : {true, false}) {
                    RegexSearcher searcher(pattern.data(), static_cast<std::int32_t>(pattern.size()), caseSensitive,
                                           forward);
                    for (std::int32_t start = 0; start <= length; ++start) {
                        EXPECT_EQ(test::Outcome(searcher, line, start),
                                  ReferenceSearch(regex, line, start, caseSensitive, forward))
                            << "pattern " << std::string(pattern.begin(), pattern.end()) << " line "
                            << std::string(line.begin(), line.end()) << " start " << start
                            << (forward ? " forward" : " backward") << (caseSensitive ? "" : " ignoring case");
                        ++checked;
                    }
                }
            }
        }
    }
    return checked;
}

TEST(RegexReference, RandomPatternsAgreeWithTheDefinition) {
    EXPECT_GT(CheckRandomPatterns(20240517, 4000, 12), 100000);
}

// Lines long enough for the vector scans of the required-unit test.
TEST(RegexReference, RandomPatternsAgreeOnLongerLines) { EXPECT_GT(CheckRandomPatterns(20240518, 600, 40), 50000); }

}  // namespace
}  // namespace pathbook::search
