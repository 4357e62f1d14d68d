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

constexpr char16_t kStandardDefinition[] = u"0110\n[\n]\n#\n";

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

TEST(TokenizerTest, RunsByCharacterClass) {
    struct Case {
        std::u16string text;
        std::string runs;
    };
    const Case cases[] = {
        {u"abc def", "2/3 1/1 2/3"},
        {u"abcdefghij", "2/7"},
        {u"a\t\tb  c", "2/1 0/2 2/1 1/2 2/1"},
        {u"x+=y", "2/1 2/1 2/1 2/1"},
        {u"\u3000\u3000\u6f22\u5b57", "2/2 2/2"},
        {u"ab\u00e9\u00e9cd", "2/2 2/2 2/2"},
        {u"a\x7f" u"b", "2/1 2/1 2/1"},
    };
    for (const Case& c : cases) EXPECT_EQ(Runs(Tokens(c.text)), c.runs) << c.runs;
    std::vector<Attribute> longWord = Tokens(u"abcdefghij");
    for (std::size_t i = 1; i < longWord.size(); ++i) EXPECT_EQ(RunLengthOf(longWord[i]), 0u);
}

TEST(TokenizerTest, CommentBitsAfterFinalisation) {
    struct Case {
        std::u16string text;
        std::string comments;
    };
    const Case cases[] = {
        {u"x[y]z", ".ccc."},
        {u"a#b", ".cc"},
        {u"a[bc", ".ccc"},
        {u"a]b", "..."},
        {u"<a>#", "...c"},
    };
    for (const Case& c : cases) EXPECT_EQ(Bits(Tokens(c.text), kCommentBit), c.comments) << c.comments;
    EXPECT_EQ(Runs(Tokens(u"x[y]z")), "2/1 4/1 2/1 3/1 2/1");
}

TEST(TokenizerTest, LinesDoNotCarryState) {
    Document document;
    document.SetKeywordDefinition(kStandardDefinition);
    test::InsertAt(document, DocPos::At(0, 0), u"open [ here\nnext");
    EXPECT_EQ(Bits(std::vector<Attribute>(document.LineTokens(1), document.LineTokens(1) + 4), kCommentBit), "....");
}

TEST(TokenizerTest, DelimitersOfSeveralUnits) {
    const std::u16string definition = u"0000\n/*\n*/\n//\n";
    EXPECT_EQ(Runs(Tokens(u"a/*b*/c", definition)), "2/1 4/2 2/1 3/2 2/1");
    EXPECT_EQ(Bits(Tokens(u"a/*b*/c", definition), kCommentBit), ".ccccc.");
    EXPECT_EQ(Bits(Tokens(u"x//y", definition), kCommentBit), ".ccc");
    // The line comment is tried first at each position.
    EXPECT_EQ(Runs(Tokens(u"///", u"0000\n//\n\n//\n")), "5/2 2/1");
    EXPECT_EQ(Runs(Tokens(u"!=!", u"0000\n!=!!!!!!\n\n\n")), "2/1 2/1 2/1");
    EXPECT_EQ(Runs(Tokens(u"<<<<<<<<>", u"0000\n<<<<<<<<\n\n\n")), "4/7 2/1");
}

TEST(TokenizerTest, EscapesHideDelimiters) {
    const std::u16string escaping = u"0111\n[\n]\n#\n";
    EXPECT_EQ(Bits(Tokens(u"a\\#b", escaping), kCommentBit), "....");
    EXPECT_EQ(Bits(Tokens(u"a\\#b"), kCommentBit), "..cc");
    EXPECT_EQ(Runs(Tokens(u"\\ab", escaping)), "2/1 2/1 2/1");
    EXPECT_EQ(Bits(Tokens(u"a#\\", escaping), kCommentBit), ".cc");
}

TEST(TokenizerTest, KeywordsAndComparators) {
    const std::u16string insensitive = u"0110\n\n\n\nwhile\nWHILE\nfor\n";
    std::vector<Attribute> words = Tokens(u"While for fore", insensitive);
    EXPECT_EQ(Bits(words, kKeywordBit), "ccccc.ccc.....");
    const std::u16string sensitive = u"1110\n\n\n\nwhile\n";
    EXPECT_EQ(Bits(Tokens(u"While while", sensitive), kKeywordBit), "......ccccc");
    EXPECT_TRUE(KeywordsEqualIgnoringCase(u"aB", u"Ab", 2));
    EXPECT_TRUE(KeywordsEqualIgnoringCase(u"\u0141", u"\u0041", 1));  // high bytes are not compared
    EXPECT_FALSE(KeywordsEqualCaseSensitive(u"aB", u"Ab", 2));
    EXPECT_EQ(KeywordHash(u"abc", 3), KeywordHash(u"ABC", 3));
    EXPECT_EQ(KeywordHash(u"\u0161", 1), KeywordHash(u"A", 1));
    // Shifts 0, 5, 2, 7, 4, 1, 6, 3, then 0 again.
    EXPECT_EQ(KeywordHash(u"AAAAAAAAA", 9), 0x41u ^ (0x41u << 5) ^ (0x41u << 2) ^ (0x41u << 7) ^ (0x41u << 4) ^
                                                 (0x41u << 1) ^ (0x41u << 6) ^ (0x41u << 3) ^ 0x41u);
}

TEST(TokenizerTest, DefinitionVariants) {
    EXPECT_EQ(Runs(Tokens(u"[a]#<b>", u"")), "2/1 2/1 2/1 2/1 2/1 2/1 2/1");
    EXPECT_EQ(Bits(Tokens(u"a#b", u"\uFEFF0110\n[\n]\n#\n"), kCommentBit), ".cc");
    std::unique_ptr<Tokenizer> onlyFirst = ParseKeywordDefinition(u"1");
    EXPECT_EQ(Runs(Tokens(u"<a>", u"1")), "2/1 2/1 2/1");
    EXPECT_EQ(onlyFirst->Keywords().Count(), 0u);
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

TEST(TokenizerTest, LinkAndFileNameBits) {
    std::vector<Attribute> words = Tokens(u"see <C:\\dir\\file.txt> now");
    EXPECT_EQ(Bits(words, kLinkBit), "....ccccccccccccccccc....");
    EXPECT_EQ(Bits(words, kFileNameBit), "............cccccccc.....");
    EXPECT_EQ(Bits(Tokens(u"<http://x/y>"), kFileNameBit), "............");
    EXPECT_EQ(Bits(Tokens(u"<http://x/y>"), kLinkBit), "cccccccccccc");
}

TEST(TokenizerTest, LinkFollowedBySeparatorStillGetsItsFileName) {
    std::vector<Attribute> words = Tokens(u"<C:\\a\\b.txt>\\x");
    EXPECT_EQ(Bits(words, kFileNameBit), "......ccccc...");
    EXPECT_EQ(Bits(Tokens(u"<%WINDIR%>/"), kFileNameBit), ".cccccccc..");
}

TEST(TokenizerTest, LinksNeedAnOpenStateAndAClosingBracket) {
    EXPECT_EQ(Bits(Tokens(u"[<C:\\x>]"), kLinkBit), "........");
    EXPECT_EQ(Bits(Tokens(u"#<C:\\x>"), kLinkBit), ".......");
    EXPECT_EQ(Bits(Tokens(u"<C:\\x"), kLinkBit), ".....");
    EXPECT_EQ(Bits(Tokens(u"<C:\\a\tb>"), kLinkBit), "........");
    EXPECT_EQ(Bits(Tokens(u"<a><..\\>"), kLinkBit), "...ccccc");
    EXPECT_EQ(Bits(Tokens(u"<C:\\x>", u"0100\n\n\n\n"), kLinkBit), "......");
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
