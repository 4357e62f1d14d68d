// The unit every match requires, read off the syntax tree: patterns whose
// matches all hold some unit, and patterns whose matches need not. Searches
// that use it and the literal prefix are compared with the reference in
// regex_reference_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "search/regex.h"
#include "search/required_units.h"

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

TEST(RequiredUnits, LongPatternsStayBounded) {
    // A thousand alternatives of long sequences: each node keeps only a few
    // units, the rarest, and "j" is the first of the rarest.
    std::u16string pattern;
    for (int i = 0; i < 1000; ++i) pattern += (i ? u"|" : u"") + std::u16string(u"abcdefghijklmnopqrstuvwxy") + u"z";
    EXPECT_EQ(Required(pattern.c_str(), true), u"j");
}

}  // namespace
}  // namespace pathbook::search
