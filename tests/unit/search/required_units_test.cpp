// The unit every match requires, read off the syntax tree: patterns whose
// matches all hold some unit, and patterns whose matches need not; searches
// that use it, and the units every match ends with, to pass over text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "search/regex.h"
#include "search/regex_searcher.h"
#include "search/required_units.h"
#include "search_test_support.h"

namespace pathbook::search {
namespace {

// The required units as text, in unit order, or "none".
std::u16string Required(const char16_t* pattern, bool caseSensitive) {
    Regex regex(pattern);
    UnitProbe probe;
    if (!FindRequiredUnit(regex.Tree(), caseSensitive, &probe)) return u"none";
    if (probe.a == probe.b) return std::u16string(1, probe.a);
    return {std::min(probe.a, probe.b), std::max(probe.a, probe.b)};
}

TEST(RequiredUnits, CaseTable) {
    struct Case {
        const char16_t* pattern;
        bool caseSensitive;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"a.*Z", true, u"Z"},
        {u"[0-9]+-[a-z]+", true, u"-"},
        {u"colou?r", true, u"c"},
        {u"colou?r", false, u"Cc"},
        {u"zephyr", true, u"z"},
        {u"^ab$", true, u"b"},
        {u"ab|cb", true, u"b"},
        {u"ab|cd", true, u"none"},
        {u"(a|b)c", true, u"c"},
        {u"(ex)+", true, u"x"},
        {u"a+b", true, u"b"},
        {u"a*", true, u"none"},
        {u"(ab)?", true, u"none"},
        {u"a|", true, u"none"},
        {u"", true, u"none"},
        {u"[aA]", true, u"Aa"},
        {u"[a]", false, u"Aa"},
        {u"[@`]", false, u"@`"},
        {u"[ab]", true, u"ab"},
        {u"[abc]", true, u"none"},
        {u"[^a]", true, u"none"},
        {u"\\.", true, u"."},
        {u"\\d", true, u"none"},
        {u"\U0001F600", true, u"\xD83D"},
        {u"\u8acb\u6c42\u66f8", true, u"\u8acb"},
        {u"\u306e\u8acb", true, u"\u8acb"},
    };
    for (const Case& c : cases) {
        std::u16string pattern(c.pattern);
        EXPECT_EQ(Required(c.pattern, c.caseSensitive), c.expected)
            << std::string(pattern.begin(), pattern.end()) << (c.caseSensitive ? "" : " ignoring case");
    }
}

// The prefix as text: one unit, or "(xy)" for a probe of two units.
std::u16string Prefix(const char16_t* pattern, bool caseSensitive) {
    Regex regex(pattern);
    std::u16string text;
    for (UnitProbe probe : LiteralPrefix(regex.Tree(), caseSensitive)) {
        if (probe.a == probe.b) {
            text += probe.a;
        } else {
            text += u"(" + std::u16string{std::min(probe.a, probe.b), std::max(probe.a, probe.b)} + u")";
        }
    }
    return text;
}

TEST(RequiredUnits, LiteralPrefixes) {
    struct Case {
        const char16_t* pattern;
        bool caseSensitive;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"colou?r", true, u"colo"},
        {u"colou?r", false, u"(Cc)(Oo)(Ll)(Oo)"},
        {u"abc", true, u"abc"},
        {u"x", true, u"x"},
        {u"a[bB]c*", true, u"a(Bb)"},
        {u"\\.x", true, u".x"},
        {u"^ab$", true, u"ab"},
        {u"[0-9]+-x", true, u""},
        {u"a|b", true, u""},
        {u"(ab)c", true, u""},
        {u"a?b", true, u""},
        {u"", true, u""},
    };
    for (const Case& c : cases) {
        std::u16string pattern(c.pattern);
        EXPECT_EQ(Prefix(c.pattern, c.caseSensitive), c.expected)
            << std::string(pattern.begin(), pattern.end()) << (c.caseSensitive ? "" : " ignoring case");
    }
}

TEST(RequiredUnits, SearchesFindTheSameMatchesAroundTheUnitsTheyScanFor) {
    const std::u16string filler = u"the quick brown fox jumps over a dog.";  // one "a", at 31; no "Z"
    struct Case {
        const char16_t* pattern;
        std::u16string line;
        bool forward;
        std::int32_t start;
        const char* expected;
    };
    const Case cases[] = {
        {u"a.*Z", filler, true, 0, "none"},
        {u"a.*Z", u"Z" + filler, true, 0, "none"},
        {u"a.*Z", filler + u"Z", true, 0, "31-38"},
        {u"a.*Z", filler + u"Z" + filler + u"Z", true, 32, "69-76"},
        {u"a.*Z", filler + u"Z" + filler, true, 32, "none"},
        {u"a.*Z", filler + u"Z" + filler, false, 100, "31-38"},
        {u"a.*Z", filler + u"Z", false, 29, "none"},
        {u"a.*", filler, true, 0, "31-37"},
        {u"o.*$", filler + u"Z", true, 20, "26-38"},
        {u"[0-9]+-[a-z]+", filler + u"4711-fix", true, 0, "37-45"},
        {u"[0-9]+-[a-z]+", filler + u"4711 fix", true, 0, "none"},
        {u"colou?r", filler + u"colo colr color", true, 0, "47-52"},
        {u"colou?r", filler + u"colour colo", true, 1, "37-43"},
        {u"colou?r", filler + u"colo", true, 0, "none"},
    };
    for (const Case& c : cases) {
        std::u16string pattern(c.pattern);
        RegexSearcher searcher(pattern.data(), static_cast<std::int32_t>(pattern.size()), true, c.forward);
        EXPECT_EQ(test::Outcome(searcher, c.line, c.start), c.expected)
            << std::string(pattern.begin(), pattern.end()) << (c.forward ? " forward" : " backward") << " from "
            << c.start;
    }
}

TEST(RequiredUnits, LongPatternsStayBounded) {
    // A thousand alternatives of long sequences: each node keeps only a few
    // units, the rarest, and "j" is the first of the rarest.
    std::u16string pattern;
    for (int i = 0; i < 1000; ++i) pattern += (i ? u"|" : u"") + std::u16string(u"abcdefghijklmnopqrstuvwxy") + u"z";
    EXPECT_EQ(Required(pattern.c_str(), true), u"j");
}

}  // namespace
}  // namespace pathbook::search
