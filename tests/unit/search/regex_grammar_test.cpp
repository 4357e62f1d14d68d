// The pattern language, case by case: grammar quirks, escapes, shorthands,
// classes, anchors in both directions, longest match at the leftmost start,
// case folding and patterns that can only match the empty string.
#include <gtest/gtest.h>

#include <string>

#include "search/regex.h"
#include "search/regex_lexer.h"
#include "search/regex_parser.h"
#include "search/regex_searcher.h"
#include "search_test_support.h"

namespace pathbook::search {
namespace {

enum Mode { kExact, kIgnoreCase };
enum Way { kForward, kBackward };

struct Case {
    const char16_t* pattern;
    const char16_t* line;
    const char* expected;  // "start-end" or "none"
    Way way = kForward;
    std::int32_t start = 0;
    Mode mode = kExact;
};

std::string RunCase(const Case& c) {
    std::u16string pattern(c.pattern);
    RegexSearcher searcher(pattern.data(), static_cast<std::int32_t>(pattern.size()), c.mode == kExact,
                           c.way == kForward);
    return test::Outcome(searcher, c.line, c.start);
}

const Case kCases[] = {
    // Alternatives and optional parts.
    {u"a|b", u"xxbxa", "2-3"}, {u"a|b", u"xxbxa", "4-5", kBackward, 4}, {u"colou?r", u"my color", "3-8"},
    {u"colou?r", u"colour", "0-6"},
    // Longest match at the leftmost start.
    {u"a+", u"xaaay", "1-4"}, {u"a|ab", u"xab", "1-3"}, {u"ab|a", u"xab", "1-3"}, {u"a(bc)?", u"abcx", "0-3"},
    {u"a+", u"aaaa", "2-4", kBackward, 2}, {u"b", u"abab", "3-4", kBackward, 3}, {u"b", u"abab", "1-2", kBackward, 2},
    {u"x.*y", u"x1y2y3", "0-5"},
    // Ranges in either order; folding of ASCII letters only.
    {u"[z-a]", u"Q", "0-1", kForward, 0, kIgnoreCase}, {u"[z-a]", u"Q", "none"}, {u"[z-a]", u"m", "0-1"},
    {u"abc", u"xABC", "1-4", kForward, 0, kIgnoreCase}, {u"abc", u"xaBc", "1-4", kForward, 0, kIgnoreCase},
    {u"abc", u"xABC", "none"}, {u"\u00e9", u"\u00c9", "none", kForward, 0, kIgnoreCase},
    {u"[^a]", u"A", "none", kForward, 0, kIgnoreCase},
    // Ignoring case only widens a class: "_" lies between "Z" and "a".
    {u"[A-z]", u"_", "0-1", kForward, 0, kIgnoreCase},
    // Shorthands.
    {u"\\w+", u"  ab_9-", "2-6"}, {u"\\s", u"a\tb", "1-2"}, {u"\\s", u"a\u3000b", "none"}, {u"\\d+", u"ab123c", "2-5"},
    {u"\\D", u"12a", "2-3"}, {u"\\W", u"ab-", "2-3"}, {u"\\S+", u" \txy ", "2-4"}, {u"[\\d]", u"1", "none"},
    // Escapes: \t is TAB, any other escaped unit is itself.
    {u"\\t", u"a\tb", "1-2"}, {u"\\n", u"an", "1-2"}, {u"\\\\", u"a\\b", "1-2"}, {u"a{2}", u"aa{2}", "1-5"},
    {u"[\\.]", u"a.b", "1-2"}, {u"[\\]]", u"a]", "1-2"},
    // Anchors in both directions.
    {u"^ab", u"abab", "none", kForward, 1}, {u"^ab", u"abab", "0-2"}, {u"^ab", u"abab", "0-2", kBackward, 3},
    {u"^ab", u"xab", "none", kBackward, 2}, {u"ab$", u"abab", "2-4"}, {u"ab$", u"abab", "none", kBackward, 1},
    {u"ab$", u"abab", "2-4", kBackward, 3}, {u"^a+$", u"aaa", "0-3", kBackward, 2}, {u"^a+$", u"aab", "none"},
    {u"a\\$", u"ba", "1-2"}, {u"a\\$", u"ab", "none"}, {u"a$b", u"xa$b", "1-4"},
    // Operators stack; "-", "]" and an inner "^" are literal outside a class.
    {u"a**", u"baaa", "1-4"}, {u"a+?b", u"xaab", "1-4"}, {u"a-b", u"xab a-b", "4-7"},
    {u"[0-9]+-[a-z]+", u"no 4711 but 4711-fix", "12-20"}, {u"a]b", u"xa]b", "1-4"}, {u"a^b", u"xa^b", "1-4"},
    {u"-", u"a-b", "1-2"},
    // Errors never match.
    {u"(ab", u"ab", "none"}, {u"[ab", u"ab", "none"}, {u"[.]", u".", "none"}, {u"[a-]", u"a", "none"},
    {u"[-a]", u"a", "none"}, {u"*a", u"a", "none"}, {u"|a", u"a", "none"}, {u"()", u"a", "none"},
    {u"a)b", u"ab", "none"}, {u"a)", u"a", "none"}, {u"(a|)", u"a", "none"},
    // Empty and negated classes.
    {u"[]", u"abc", "none"}, {u"a[]", u"abc", "none"}, {u"[^]", u"x", "0-1"}, {u"[^a-c]+", u"abcxyz", "3-6"},
    // Nested stars terminate and take the longest run.
    {u"(a*)*", u"bbaab", "2-4"}, {u"(a*)*", u"bbaab", "3-4", kBackward, 4},
    // Matches must consume at least one unit.
    {u"a*", u"b", "none"}, {u"a*", u"baa", "1-3"}, {u"^$", u"", "none"}, {u"a|", u"ba", "1-2"}, {u"", u"abc", "none"},
    // Starts beyond the line.
    {u"a", u"a", "none", kForward, 5}, {u"a", u"a", "0-1", kBackward, 5},
};

TEST(RegexGrammar, CaseTable) {
    auto narrow = [](std::u16string_view text) { return std::string(text.begin(), text.end()); };
    for (const Case& c : kCases) {
        EXPECT_EQ(RunCase(c), c.expected) << "pattern " << narrow(c.pattern) << " line " << narrow(c.line)
                                          << (c.way == kForward ? " forward" : " backward") << " from " << c.start;
    }
}

TEST(RegexGrammar, ErrorFlagAndAnchors) {
    EXPECT_TRUE(Regex(u"(ab").HasError());
    EXPECT_TRUE(Regex(u"[ab").HasError());
    EXPECT_FALSE(Regex(u"a-b").HasError());
    EXPECT_TRUE(Regex(u"a)b").HasError());
    Regex escapedDollar(u"a\\$");
    EXPECT_TRUE(escapedDollar.AnchoredEnd());
    EXPECT_FALSE(escapedDollar.HasError());
    EXPECT_TRUE(Regex(u"^a").AnchoredStart());
    EXPECT_FALSE(Regex(u"").AnchoredEnd());
}

TEST(RegexGrammar, MatchLength) {
    EXPECT_EQ(Regex(u"a*").MatchLength(u"aab", 3, true), 2);
    EXPECT_EQ(Regex(u"a*").MatchLength(u"b", 1, true), 0);
    EXPECT_EQ(Regex(u"b").MatchLength(u"a", 1, true), -1);
    EXPECT_EQ(Regex(u"A+").MatchLength(u"aaB", 3, false), 2);
    EXPECT_EQ(Regex(u"aaa").MatchLength(u"aaa", 2, true), -1);
    EXPECT_EQ(Regex(u"(a").MatchLength(u"a", 1, true), -1);
}

TEST(RegexGrammar, ShorthandsExpandBeforeTheRest) {
    const char16_t body[] = u"\\sx";
    RegexLexer lexer(body, 3);
    const TokenKind expected[] = {TokenKind::ClassOpen, TokenKind::Char, TokenKind::Char, TokenKind::ClassClose,
                                  TokenKind::Char, TokenKind::End, TokenKind::End};
    for (TokenKind kind : expected) EXPECT_EQ(lexer.Next().kind, kind);
}

TEST(RegexGrammar, GroupNestingIsBounded) {
    auto nested = [](int depth) {
        return std::u16string(static_cast<std::size_t>(depth), u'(') + u"a" +
               std::u16string(static_cast<std::size_t>(depth), u')');
    };
    std::u16string allowed = nested(kMaxGroupDepth);
    std::u16string tooDeep = nested(kMaxGroupDepth + 1);
    EXPECT_FALSE(ParseRegex(allowed.data(), static_cast<std::int32_t>(allowed.size())).error);
    EXPECT_TRUE(ParseRegex(tooDeep.data(), static_cast<std::int32_t>(tooDeep.size())).error);
    std::u16string hostile(100000, u'(');
    EXPECT_TRUE(Regex(hostile.data(), static_cast<std::int32_t>(hostile.size())).HasError());
}

TEST(RegexGrammar, LongPatternsCompileWithoutRecursion) {
    std::u16string pattern;
    for (int i = 0; i < 20000; ++i) pattern += u"a|";
    pattern += u"b*c";
    RegexSearcher searcher(pattern.data(), static_cast<std::int32_t>(pattern.size()), true, true);
    EXPECT_TRUE(searcher.Pattern().Tree().CheckInvariants());
    EXPECT_TRUE(searcher.Pattern().ForwardProgram().CheckInvariants());
    EXPECT_EQ(test::Outcome(searcher, u"xxbbc", 0), "2-5");
}

TEST(RegexGrammar, LinearOnOneLongLine) {
    // Never matches; a quadratic matcher would take minutes here.
    std::u16string line(2000000, u'a');
    RegexSearcher forward(u"a.*Z", 4, true, true);
    RegexSearcher backward(u"a.*Z", 4, true, false);
    EXPECT_EQ(test::Outcome(forward, line, 0), "none");
    EXPECT_EQ(test::Outcome(backward, line, static_cast<std::int32_t>(line.size())), "none");
}

}  // namespace
}  // namespace pathbook::search
