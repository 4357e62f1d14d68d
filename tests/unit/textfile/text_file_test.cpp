// Loading and saving whole files: detection results, loads that are not
// exact, saves that would lose characters, failures, and a failed save
// leaving the old file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/code_page.h"
#include "runtime/utf8.h"
#include "support/temp_folder.h"
#include "text_io.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"

namespace pathbook {
namespace {

using test::TempFolder;
using test::U;

TEST(TextFileInTest, OpenDetectsAndDecodes) {
    TempFolder folder;
    TextFileIn in;
    EXPECT_EQ(in.State(), ReadState::kFinished);
    ASSERT_TRUE(test::WriteAndOpen(folder, "a.txt", "\xEF\xBB\xBF" "first\nsecond\nthird\n", in));
    EXPECT_EQ(in.Charset(), charset::kUtf8Bom);
    EXPECT_EQ(in.LineEndStyle(), LineEnd::kLf);
    EXPECT_FALSE(in.NoLineBreaks());
    EXPECT_EQ(in.Size(), 22u);
    // Progress counts the file's bytes decoded, the mark included.
    EXPECT_EQ(in.Progress().done, 3u);
    EXPECT_EQ(in.Progress().total, 22u);
    EXPECT_EQ(test::DrainLines(in), (std::vector<std::u16string>{u"first", u"second", u"third", u""}));
    EXPECT_EQ(in.Progress().done, 22u);
    EXPECT_FALSE(in.Failed());
}

TEST(TextFileInTest, MissingFileFailsAndEmptyFileReadsNothing) {
    TempFolder folder;
    TextFileIn missing(charset::kShiftJis);
    EXPECT_FALSE(missing.Open(folder.File("missing.txt").c_str()));
    EXPECT_EQ(missing.Charset(), charset::kShiftJis);
    EXPECT_EQ(missing.State(), ReadState::kFinished);
    TextFileIn empty;
    ASSERT_TRUE(test::WriteAndOpen(folder, "empty.txt", "", empty));
    EXPECT_TRUE(empty.NoLineBreaks());
    EXPECT_EQ(test::DrainLines(empty), std::vector<std::u16string>{u""});
}

TEST(TextFileInTest, ARequestedEncodingIsUsed) {
    TempFolder folder;
    TextFileIn in(charset::kLatin1);
    ASSERT_TRUE(test::WriteAndOpen(folder, "k.txt", "\x1B$)C\x0EGQ\x0F\r\n", in));
    EXPECT_EQ(in.Charset(), charset::kLatin1);
    EXPECT_EQ(test::DrainLines(in)[0], u"\x1B$)C\x0EGQ\x0F");
}

// What a load says of bytes it could not keep.
TEST(TextFileInTest, ReportsLoadsThatAreNotExact) {
    const struct {
        CharsetId charset;
        std::string bytes;
        bool replaced, nul;
    } cases[] = {
        {charset::kUtf8, "plain\r\ntext", false, false},
        {charset::kUtf8, "a\xFF" "b", true, false},
        {charset::kUtf8, "a\xEF\xBF\xBD" "b", false, false},  // a U+FFFD of the file's own
        {charset::kShiftJis, "\x88\x9F\x85\x40", true, false},  // 85 40 names no character
        {charset::kEucJp, "a\r\n\xB0", true, false},              // cut off by the end
        {charset::kUtf16Le, test::Bytes({'a', 0, 'b'}), true, false},
        {charset::kUtf32Be, test::Bytes({0, 0x11, 0, 0}), true, false},
        {charset::kLatin1, std::string("a\0b", 3), false, true},
        {charset::kUtf16Le, test::Bytes({'a', 0, 0, 0}), false, true},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        TextFileIn in(c.charset);
        ASSERT_TRUE(test::WriteAndOpen(folder, "f.txt", c.bytes, in));
        test::DrainLines(in);
        EXPECT_EQ(in.ReplacedBytes(), c.replaced) << c.charset << " " << c.bytes;
        EXPECT_EQ(in.HeldNul(), c.nul) << c.charset << " " << c.bytes;
    }
}

struct Loss {
    std::uint32_t line, column;
    char32_t codePoint;
    bool operator==(const LostCharacter& lost) const {
        return lost.line == line && lost.column == column && lost.codePoint == codePoint;
    }
};

// Saves `lines` over a file holding "old"; returns the lost characters and
// whether the file was replaced.
std::vector<LostCharacter> SaveOverOld(const TempFolder& folder, CharsetId charset,
                                       const std::vector<std::u16string>& lines, LossPolicy losses, bool* saved) {
    folder.Write("o.txt", "old");
    TextFileOut out(charset, LineEnd::kCrLf, losses);
    EXPECT_TRUE(out.Open(folder.File("o.txt").c_str()));
    test::WriteLines(out, lines);
    *saved = out.Close();
    EXPECT_EQ(out.Failure(), *saved ? SaveFailure::kNone : SaveFailure::kLossy);
    EXPECT_EQ(folder.EntryCount(), 1u);
    return out.LostCharacters();
}

TEST(TextFileOutTest, ASaveThatWouldLoseCharactersIsRefusedUnlessAllowed) {
    const struct {
        CharsetId charset;
        std::vector<std::u16string> lines;
        std::vector<Loss> lost;
    } cases[] = {
        {1252, {u"abc", U("x日本語 ☃")}, {{1, 1, U'日'}, {1, 2, U'本'}, {1, 3, U'語'}, {1, 5, U'☃'}}},
        {1252, {U("ā")}, {{0, 0, U'ā'}}},  // no look-alike passes for the letter
        {1252, {U("日日日日日日日日")}, {{0, 0, U'日'}, {0, 1, U'日'}, {0, 2, U'日'}, {0, 3, U'日'}, {0, 4, U'日'}}},
        {932, {U("円€"), U("😀")}, {{0, 1, U'€'}, {1, 0, U'😀'}}},
        {charset::kUtf8, {u"\uFEFFa"}, {{0, 0, 0xFEFF}}},  // read as the file's mark
        {charset::kUtf8, {u"a", u"b\xD800"}, {{1, 1, 0xD800}}},
        {charset::kUtf16Le, {u"a\uFEFF"}, {{0, 1, 0xFEFF}}},
        {charset::kUtf5, {u"\uFEFF"}, {{0, 0, 0xFEFF}}},
        {charset::kUtf7, {u"ab\uFEFF"}, {{0, 2, 0xFEFF}}},
        {charset::kEucJp, {u"a\x0E" u"b"}, {{0, 1, 0x0E}}},  // SO would shift what follows
        {charset::kIso2022Jp, {U("日本\x1B(Jx")}, {{0, 2, 0x1B}}},
        {charset::kHz, {U("中~{x"), U("한")}, {{1, 0, U'한'}}},
        // Kept whole: a later U+FEFF in UTF-8, the mark in UTF-8 with a mark, lone surrogates in UTF-16.
        {charset::kUtf8, {u"a\uFEFF"}, {}},
        {charset::kUtf8Bom, {u"\uFEFFa"}, {}},
        {charset::kUtf16Be, {u"\xDC00\xD800"}, {}},
        {charset::kUtf32Le, {U("😀"), u"\xD800"}, {}},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        bool saved = false;
        std::vector<LostCharacter> lost = SaveOverOld(folder, c.charset, c.lines, LossPolicy::kRefuse, &saved);
        ASSERT_EQ(lost.size(), c.lost.size()) << c.charset << " " << Utf16ToUtf8(c.lines.back());
        for (std::size_t i = 0; i < lost.size(); ++i) EXPECT_TRUE(c.lost[i] == lost[i]) << c.charset << " " << i;
        EXPECT_EQ(saved, c.lost.empty()) << c.charset;
        if (!saved) {
            EXPECT_EQ(folder.Read("o.txt"), "old");
        }
        if (c.lost.empty()) continue;
        lost = SaveOverOld(folder, c.charset, c.lines, LossPolicy::kAllow, &saved);
        EXPECT_TRUE(saved);
        EXPECT_EQ(lost.size(), c.lost.size());
        EXPECT_EQ(folder.Read("o.txt"), test::Encode(c.charset, c.lines));
    }
}

// A save dropped before its close leaves the old file and no temporary one.
TEST(TextFileOutTest, AnAbandonedSaveLeavesTheOldFile) {
    TempFolder folder;
    folder.Write("o.txt", "old text");
    {
        TextFileOut out(charset::kUtf16LeBom, LineEnd::kCrLf);
        ASSERT_TRUE(out.Open(folder.File("o.txt").c_str()));
        out.WriteLine(u"new", 3, true);
    }
    EXPECT_EQ(folder.Read("o.txt"), "old text");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(TextFileOutTest, ASaveThatCannotCreateItsFileFailsWithTheSystemsReason) {
    TempFolder folder;
    TextFileOut out(charset::kUtf8, LineEnd::kCrLf);
    EXPECT_FALSE(out.Open(folder.File("no/such/folder/o.txt").c_str()));
    EXPECT_EQ(out.Failure(), SaveFailure::kCannotCreate);
    EXPECT_FALSE(out.SystemReason().empty());
    out.WriteLine(u"x", 1, true);
    EXPECT_FALSE(out.Close());
    TextFileOut nothing(-99, LineEnd::kCrLf);
    EXPECT_FALSE(nothing.Open(folder.File("o.txt").c_str()));
    EXPECT_EQ(nothing.Failure(), SaveFailure::kNoEncoder);
    EXPECT_FALSE(nothing.Close());
    EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST(TextFileOutTest, ASaveWhoseReplaceFailsLeavesTheOldFile) {
    TempFolder folder;
    folder.Write("o.txt", "old text");
    TextFileOut out(charset::kUtf8, LineEnd::kCrLf);
    ASSERT_TRUE(out.Open(folder.File("o.txt").c_str()));
    out.WriteLine(u"new text", 8, true);
    // The target turns into a folder before the save ends: it cannot be replaced.
    std::filesystem::remove(folder.Path() / "o.txt");
    std::filesystem::create_directory(folder.Path() / "o.txt");
    std::filesystem::create_directory(folder.Path() / "o.txt" / "inside");
    EXPECT_FALSE(out.Close());
    EXPECT_EQ(out.Failure(), SaveFailure::kReplaceFailed);
    EXPECT_FALSE(out.SystemReason().empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "o.txt"));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(TextFileOutTest, ALongLineGrowsTheConversionBuffer) {
    std::u16string line(200000, u'\u3042');
    std::string bytes = test::Encode(charset::kEucJp, {line});
    ASSERT_EQ(bytes.size(), 400000u);
    EXPECT_EQ(test::Decode(charset::kEucJp, bytes), line);
    EXPECT_EQ(test::Decode(charset::kUtf8, test::Encode(charset::kUtf8, {line})), line);
}

}  // namespace
}  // namespace pathbook
