// Runs, keywords, delimiters, comment bits and link bits of classified lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/document.h"
#include "memory_text.h"
#include "document/keyword_definition.h"
#include "document/keywords.h"

namespace pathbook {
namespace {

using test::kStandardDefinition;

// The words of line 0 after finalisation for `text` under `definition`.
std::vector<Attribute> Tokens(std::u16string_view text, std::u16string_view definition = kStandardDefinition) {
    Document document;
    document.SetKeywordDefinition(definition);
    test::InsertAt(document, DocPos::At(0, 0), text);
    const Attribute* words = document.LineTokens(0);
    return std::vector<Attribute>(words, words + document.LineLength(0));
}

// "class/length" of each run start, e.g. "2/3 1/1 2/3".
std::string Runs(const std::vector<Attribute>& words) {
    std::string out;
    for (Attribute word : words) {
        if (RunLengthOf(word) == 0) continue;
        if (!out.empty()) out += ' ';
        out += std::to_string(ClassOf(word)) + "/" + std::to_string(RunLengthOf(word));
    }
    return out;
}

// One character per unit: "c" when the comment bit is set, "." otherwise.
std::string Bits(const std::vector<Attribute>& words, Attribute bit) {
    std::string out;
    for (Attribute word : words) out += (word & bit) ? 'c' : '.';
    return out;
}

// A line under a definition: its runs, or the units carrying one bit.
struct Classified {
    std::u16string text;
    std::u16string definition;
    std::string runs;
};

const std::u16string kSlashes = u"0000\n/*\n*/\n//\n";
const std::u16string kEscaping = u"0111\n[\n]\n#\n";

TEST(TokenizerTest, RunsByCharacterClassAndDelimiter) {
    const Classified cases[] = {
        {u"abc def", kStandardDefinition, "2/3 1/1 2/3"}, {u"abcdefghij", kStandardDefinition, "2/7"},
        {u"a\t\tb  c", kStandardDefinition, "2/1 0/2 2/1 1/2 2/1"}, {u"x+=y", kStandardDefinition, "2/1 2/1 2/1 2/1"},
        {u"\u3000\u3000\u6f22\u5b57", kStandardDefinition, "2/2 2/2"},
        {u"ab\u00e9\u00e9cd", kStandardDefinition, "2/2 2/2 2/2"}, {u"a\x7f" u"b", kStandardDefinition, "2/1 2/1 2/1"},
        {u"x[y]z", kStandardDefinition, "2/1 4/1 2/1 3/1 2/1"}, {u"a/*b*/c", kSlashes, "2/1 4/2 2/1 3/2 2/1"},
        // The line comment is tried first at each position.
        {u"///", u"0000\n//\n\n//\n", "5/2 2/1"},
        {u"!=!", u"0000\n!=!!!!!!\n\n\n", "2/1 2/1 2/1"}, {u"<<<<<<<<>", u"0000\n<<<<<<<<\n\n\n", "4/7 2/1"},
        {u"\\ab", kEscaping, "2/1 2/1 2/1"}, {u"[a]#<b>", u"", "2/1 2/1 2/1 2/1 2/1 2/1 2/1"},
        {u"<a>", u"1", "2/1 2/1 2/1"},
    };
    for (const Classified& c : cases) EXPECT_EQ(Runs(Tokens(c.text, c.definition)), c.runs) << c.runs;
    std::vector<Attribute> longWord = Tokens(u"abcdefghij");
    for (std::size_t i = 1; i < longWord.size(); ++i) EXPECT_EQ(RunLengthOf(longWord[i]), 0u);
}

TEST(TokenizerTest, CommentKeywordLinkAndFileNameBits) {
    struct Case {
        std::u16string text;
        std::u16string definition;
        Attribute bit;
        std::string marked;
    };
    const std::u16string insensitive = u"0110\n\n\n\nwhile\nWHILE\nfor\n";
    const Case cases[] = {
        {u"x[y]z", kStandardDefinition, kCommentBit, ".ccc."}, {u"a#b", kStandardDefinition, kCommentBit, ".cc"},
        {u"a[bc", kStandardDefinition, kCommentBit, ".ccc"}, {u"a]b", kStandardDefinition, kCommentBit, "..."},
        {u"<a>#", kStandardDefinition, kCommentBit, "...c"}, {u"a/*b*/c", kSlashes, kCommentBit, ".ccccc."},
        {u"x//y", kSlashes, kCommentBit, ".ccc"},
        // Escapes hide delimiters.
        {u"a\\#b", kEscaping, kCommentBit, "...."}, {u"a\\#b", kStandardDefinition, kCommentBit, "..cc"},
        {u"a#\\", kEscaping, kCommentBit, ".cc"}, {u"a#b", u"\uFEFF0110\n[\n]\n#\n", kCommentBit, ".cc"},
        {u"While for fore", insensitive, kKeywordBit, "ccccc.ccc....."},
        {u"While while", u"1110\n\n\n\nwhile\n", kKeywordBit, "......ccccc"},
        {u"see <C:\\dir\\file.txt> now", kStandardDefinition, kLinkBit, "....ccccccccccccccccc...."},
        {u"see <C:\\dir\\file.txt> now", kStandardDefinition, kFileNameBit, "............cccccccc....."},
        {u"<http://x/y>", kStandardDefinition, kFileNameBit, "............"},
        {u"<http://x/y>", kStandardDefinition, kLinkBit, "cccccccccccc"},
        // A link followed by a separator still gets its file name.
        {u"<C:\\a\\b.txt>\\x", kStandardDefinition, kFileNameBit, "......ccccc..."},
        {u"<%WINDIR%>/", kStandardDefinition, kFileNameBit, ".cccccccc.."},
        // Links need an open state and a closing bracket.
        {u"[<C:\\x>]", kStandardDefinition, kLinkBit, "........"},
        {u"#<C:\\x>", kStandardDefinition, kLinkBit, "......."}, {u"<C:\\x", kStandardDefinition, kLinkBit, "....."},
        {u"<C:\\a\tb>", kStandardDefinition, kLinkBit, "........"},
        {u"<a><..\\>", kStandardDefinition, kLinkBit, "...ccccc"}, {u"<C:\\x>", u"0100\n\n\n\n", kLinkBit, "......"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Bits(Tokens(c.text, c.definition), c.bit), c.marked) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(TokenizerTest, LinesDoNotCarryState) {
    Document document;
    document.SetKeywordDefinition(kStandardDefinition);
    test::InsertAt(document, DocPos::At(0, 0), u"open [ here\nnext");
    EXPECT_EQ(Bits(std::vector<Attribute>(document.LineTokens(1), document.LineTokens(1) + 4), kCommentBit), "....");
}

TEST(TokenizerTest, KeywordComparatorsAndHash) {
    EXPECT_TRUE(KeywordsEqualIgnoringCase(u"aB", u"Ab", 2));
    EXPECT_TRUE(KeywordsEqualIgnoringCase(u"\u0141", u"\u0041", 1));  // high bytes are not compared
    EXPECT_FALSE(KeywordsEqualCaseSensitive(u"aB", u"Ab", 2));
    EXPECT_EQ(KeywordHash(u"abc", 3), KeywordHash(u"ABC", 3));
    EXPECT_EQ(KeywordHash(u"\u0161", 1), KeywordHash(u"A", 1));
    // Shifts 0, 5, 2, 7, 4, 1, 6, 3, then 0 again.
    EXPECT_EQ(KeywordHash(u"AAAAAAAAA", 9), 0x41u ^ (0x41u << 5) ^ (0x41u << 2) ^ (0x41u << 7) ^ (0x41u << 4) ^
                                                 (0x41u << 1) ^ (0x41u << 6) ^ (0x41u << 3) ^ 0x41u);
}

TEST(TokenizerTest, DefinitionsCountTheirKeywords) {
    EXPECT_EQ(ParseKeywordDefinition(u"1")->Keywords().Count(), 0u);
    EXPECT_EQ(ParseKeywordDefinition(u"0\r\n\r\n\r\n\r\nx\r\n\r\ny")->Keywords().Count(), 2u);
    EXPECT_EQ(ParseKeywordDefinition(u"0\n\n\nx")->Keywords().Count(), 0u);
}

// Lines without keywords or delimiter units take a faster path; a keyword that
// no run can match sends the same lines down the general one.
TEST(TokenizerTest, PlainLinesGetTheWordsOfTheGeneralPath) {
    // Class edges included: "/" ":" "@" "[" "`" "{" around digits and letters.
    const std::u16string alphabet =
        u"aZz_09/:@[`{ \t\x01\x1f!,.\\~\x7f\x80\u00e9\u3000\u8acb\U0001F600\xdc00\x8000\xffff";
    // Few kinds of unit, so that runs grow past seven units and across blocks.
    const std::u16string fewKinds = u"aaaaaaaaa      \u8acb\u8acb\u8acb\u8acb.";
    std::mt19937 random(11);
    for (int round = 0; round < 4000; ++round) {
        const std::u16string& units = round % 2 == 0 ? alphabet : fewKinds;
        std::u16string text;
        std::size_t length = random() % 70;
        for (std::size_t i = 0; i < length; ++i) text += units[random() % units.size()];
        SCOPED_TRACE(round);
        EXPECT_EQ(Tokens(text, u""), Tokens(text, u"0000\n\n\n\nno match\n"));
        EXPECT_EQ(Tokens(text, u"0001"), Tokens(text, u"0001\n\n\n\nno match\n"));
    }
}

TEST(TokenizerTest, ReclassifyingClearsTheMissingBit) {
    Document document;
    document.SetKeywordDefinition(kStandardDefinition);
    test::InsertAt(document, DocPos::At(0, 0), u"<C:\\x>");
    const std::uint32_t steps = document.History().Count();
    document.SetMissingPart(0, 2, 5, true);
    EXPECT_EQ(document.LineTokens(0)[3] & kMissingBit, kMissingBit);
    EXPECT_EQ(document.LineTokens(0)[5] & kMissingBit, 0);
    EXPECT_EQ(document.History().Count(), steps);
    document.SetMissingPart(0, 3, 4, false);
    EXPECT_EQ(document.LineTokens(0)[3] & kMissingBit, 0);
    EXPECT_EQ(document.LineTokens(0)[2] & kMissingBit, kMissingBit);
    document.SetKeywordDefinition(kStandardDefinition);
    EXPECT_EQ(document.LineTokens(0)[3] & kMissingBit, 0);
}

}  // namespace
}  // namespace pathbook
