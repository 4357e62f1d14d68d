// The unit every match requires, read off the syntax tree, stays cheap to find
// for long patterns. Whether the searches that scan for it, and for the literal
// prefix, find what the pattern means is checked against the reference in
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

TEST(RequiredUnits, LongPatternsStayBounded) {
    // A thousand alternatives of long sequences: each node keeps only a few
    // units, the rarest, and "j" is the first of the rarest.
    std::u16string pattern;
    for (int i = 0; i < 1000; ++i) pattern += (i ? u"|" : u"") + std::u16string(u"abcdefghijklmnopqrstuvwxy") + u"z";
    EXPECT_EQ(Required(pattern.c_str(), true), u"j");
}

}  // namespace
}  // namespace pathbook::search
