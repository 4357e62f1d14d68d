// The four plain searchers: cases from the find commands, matches at the edges
// of lines long enough for the vector scans, and differential tests against a
// window-by-window comparison on short lines (Boyer-Moore) and long ones.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

#include "search/make_searcher.h"
#include "search_test_support.h"

namespace pathbook::search {
namespace {

char16_t FoldAscii(char16_t unit) { return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 0x20) : unit; }

std::string NaiveSearch(const std::u16string& needle, const std::u16string& line, std::int32_t start,
                        bool ignoreCase, bool forward) {
    auto m = static_cast<std::int32_t>(needle.size());
    auto last = static_cast<std::int32_t>(line.size()) - m;
    auto matchesAt = [&](std::int32_t w) {
        for (std::int32_t i = 0; i < m; ++i) {
            char16_t a = line[static_cast<std::size_t>(w + i)];
            char16_t b = needle[static_cast<std::size_t>(i)];
            if (ignoreCase ? FoldAscii(a) != FoldAscii(b) : a != b) return false;
        }
        return true;
    };
    const std::int32_t step = forward ? 1 : -1;
    for (std::int32_t w = forward ? start : std::min(start, last); forward ? w <= last : w >= 0; w += step) {
        if (matchesAt(w)) return std::to_string(w) + "-" + std::to_string(w + m);
    }
    return "none";
}

std::string Find(const std::u16string& needle, const std::u16string& line, std::int32_t start, bool ignoreCase,
                 bool forward) {
    auto searcher = MakeSearcher(needle.data(), static_cast<std::int32_t>(needle.size()), {false, forward, ignoreCase});
    return test::Outcome(*searcher, line, start);
}

// Short lines from the find commands, and matches at the edges of lines long
// enough for the vector scans: the 37-unit filler makes them take four vector
// steps and leave an unaligned tail.
TEST(PlainSearcher, Cases) {
    const std::u16string filler = u"the quick brown fox jumps over a dog.";
    // Needle, line, ignoring case, forward, start, and the match.
    const std::tuple<std::u16string, std::u16string, bool, bool, std::int32_t, const char*> cases[] = {
        {u"ab", u"abab", false, true, 0, "0-2"}, {u"ab", u"abab", false, true, 1, "2-4"},
        {u"aa", u"aaa", false, true, 1, "1-3"}, {u"abc", u"xABC aBc", true, true, 0, "1-4"},
        {u"abc", u"xABC aBc", true, true, 2, "5-8"}, {u"abc", u"xABC", false, true, 0, "none"},
        {u"\u00e9", u"\u00c9", true, true, 0, "none"}, {u"ab", u"abab", false, false, 3, "2-4"},
        {u"ab", u"abab", false, false, 1, "0-2"}, {u"ab", u"abab", false, false, 100, "2-4"},
        {u"\u8acb\u6c42\u66f8", u"\u4eca\u65e5\u8acb\u6c42\u66f8", false, true, 0, "2-5"},
        {u"ab", u"a", false, true, 0, "none"}, {u"ab", u"a", false, false, 0, "none"},
        {u"", u"abc", false, true, 0, "none"}, {u"", u"abc", true, false, 3, "none"},  // an empty needle
        {u"zeph", u"zeph" + filler, false, true, 0, "0-4"}, {u"zeph", filler + u"zeph", false, true, 0, "37-41"},
        {u"zeph", filler + u"zep", false, true, 0, "none"}, {u"ZEPH", filler + u"zEpH", true, true, 0, "37-41"},
        {u"zeph", u"ZePh" + filler, true, false, 100, "0-4"}, {u"zeph", filler + u"zeph", false, false, 100, "37-41"},
        {u"zeph", filler + u"zeph", false, false, 36, "none"},
        {u"zeph", u"zeph" + filler + u"zeph", false, true, 1, "41-45"},
        {u"zeph", u"zeph" + filler + u"zeph", false, false, 40, "0-4"},
        {u"\u8acb\u6c42", filler + u"\u8acb\u6c42" + filler, false, true, 0, "37-39"},
        {u"\U0001F600", filler + u"\U0001F600", false, true, 0, "37-39"},
        {u"\xDE00", filler + u"\U0001F600", false, true, 0, "38-39"},
        {u"\U0001F600", filler + u"\U0001F600", true, false, 100, "37-39"}, {u"e", filler, false, false, 100, "28-29"},
        {u"@", filler + u"`", true, true, 0, "none"},
    };
    for (const auto& [needle, line, ignoreCase, forward, start, expected] : cases) {
        EXPECT_EQ(Find(needle, line, start, ignoreCase, forward), expected)
            << (forward ? "forward" : "backward") << " from " << start << " in " << line.size();
    }
}

// Random needles and lines over a small alphabet, so that candidate windows
// are frequent, checked from every start.
void CheckAgainstWindowByWindowComparison(unsigned seed, std::size_t maxLineLength, int rounds) {
    std::mt19937 random(seed);
    const std::u16string alphabet = u"abAB\u00e9\u00c9[`";
    for (int round = 0; round < rounds; ++round) {
        std::u16string needle = test::RandomText(random, alphabet, 4);
        if (needle.empty()) continue;
        std::u16string line = test::RandomText(random, alphabet, maxLineLength);
        for (bool ignoreCase : {false, true}) {
            for (bool forward : {true, false}) {
                // One searcher for every start, as Find Next uses it.
                auto searcher =
                    MakeSearcher(needle.data(), static_cast<std::int32_t>(needle.size()), {false, forward, ignoreCase});
                for (std::int32_t start = 0; start <= static_cast<std::int32_t>(line.size()) + 1; ++start) {
                    ASSERT_EQ(test::Outcome(*searcher, line, start), NaiveSearch(needle, line, start, ignoreCase, forward));
                }
            }
        }
    }
}

TEST(PlainSearcher, AgreesWithWindowByWindowComparisonOnShortLines) {
    CheckAgainstWindowByWindowComparison(7, 16, 3000);
}

TEST(PlainSearcher, AgreesWithWindowByWindowComparisonOnLongLines) { CheckAgainstWindowByWindowComparison(8, 90, 300); }

TEST(MakeSearcher, RegExpOptionBuildsTheRegexSearcher) {
    std::u16string pattern = u"colou?r";
    auto searcher = MakeSearcher(pattern.data(), 7, {true, true, false});
    EXPECT_EQ(test::Outcome(*searcher, u"a colour", 0), "2-8");
    auto plain = MakeSearcher(pattern.data(), 7, {false, true, false});
    EXPECT_EQ(test::Outcome(*plain, u"a colour", 0), "none");
}

}  // namespace
}  // namespace pathbook::search
