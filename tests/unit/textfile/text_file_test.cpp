// Loading and saving whole files: detection results, failures, and a failed
// save leaving the old file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/code_page.h"
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
    folder.Write("a.txt", "\xEF\xBB\xBF" "first\nsecond\nthird\n");
    TextFileIn in;
    EXPECT_EQ(in.State(), ReadState::kFinished);
    ASSERT_TRUE(in.Open(folder.File("a.txt").c_str()));
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
    folder.Write("empty.txt", "");
    TextFileIn empty;
    ASSERT_TRUE(empty.Open(folder.File("empty.txt").c_str()));
    EXPECT_TRUE(empty.NoLineBreaks());
    EXPECT_EQ(test::DrainLines(empty), std::vector<std::u16string>{u""});
}

TEST(TextFileInTest, ARequestedEncodingIsUsed) {
    TempFolder folder;
    folder.Write("k.txt", "\x1B$)C\x0EGQ\x0F\r\n");
    TextFileIn in(charset::kLatin1);
    ASSERT_TRUE(in.Open(folder.File("k.txt").c_str()));
    EXPECT_EQ(in.Charset(), charset::kLatin1);
    EXPECT_EQ(test::DrainLines(in)[0], u"\x1B$)C\x0EGQ\x0F");
}

TEST(TextFileOutTest, SavesLinesWithTheChosenBreak) {
    TempFolder folder;
    TextFileOut out(charset::kUtf8, LineEnd::kCrLf);
    ASSERT_TRUE(out.Open(folder.File("o.txt").c_str()));
    out.WriteLine(u"one", 3, false);
    out.WriteLine(u"", 0, false);
    out.WriteLine(u"two", 3, true);
    EXPECT_TRUE(out.Close());
    EXPECT_EQ(folder.Read("o.txt"), "one\r\n\r\ntwo");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

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

TEST(TextFileOutTest, ASaveThatCannotCreateItsFileFails) {
    TempFolder folder;
    TextFileOut out(charset::kUtf8, LineEnd::kCrLf);
    EXPECT_FALSE(out.Open(folder.File("no/such/folder/o.txt").c_str()));
    out.WriteLine(u"x", 1, true);
    EXPECT_FALSE(out.Close());
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
