// Lines end at every CR and LF a decoder hands out as text, so that a saved
// document holds exactly the breaks that were shown.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"
#include "text_io.h"
#include "textfile/decoded_break_splitter.h"
#include "textfile/text_file_in.h"

namespace pathbook {
namespace {

using test::Bytes;
using Lines = std::vector<std::u16string>;

// A decoder that hands out scripted reads: each its units and the state after it.
class ScriptedSource final : public TextReader {
public:
    explicit ScriptedSource(std::vector<std::pair<std::u16string, ReadState>> reads) : reads_(std::move(reads)) {}
    const std::uint8_t* Position() const override { return nullptr; }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        if (next_ == reads_.size()) {
            state_ = ReadState::kFinished;
            return 0;
        }
        const auto& [units, state] = reads_[next_++];
        EXPECT_LE(units.size(), capacity);
        units.copy(buffer, units.size());
        state_ = state;
        return static_cast<std::uint32_t>(units.size());
    }

private:
    std::vector<std::pair<std::u16string, ReadState>> reads_;
    std::size_t next_ = 0;
};

Lines Split(std::vector<std::pair<std::u16string, ReadState>> reads, std::uint32_t capacity = 64) {
    ScriptedSource source(std::move(reads));
    DecodedBreakSplitter splitter(&source);
    return test::DrainLines(splitter, capacity);
}

constexpr ReadState kFull = ReadState::kBufferFull;
constexpr ReadState kBreak = ReadState::kAtLineBreak;
constexpr ReadState kEnd = ReadState::kFinished;

TEST(DecodedBreakSplitterTest, DecodedBreaksEndLinesLikeTheFilesOwn) {
    EXPECT_EQ(Split({{u"a\rb\nc\r\nd", kEnd}}), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(Split({{u"a\n\rb", kBreak}, {u"c", kEnd}}), (Lines{u"a", u"", u"b", u"c"}));
    EXPECT_EQ(Split({{u"\n", kEnd}}), (Lines{u"", u""}));
    EXPECT_EQ(Split({{u"plain", kBreak}, {u"", kEnd}}), (Lines{u"plain", u""}));
}

TEST(DecodedBreakSplitterTest, ACrLfCutBetweenReadsIsOneBreak) {
    EXPECT_EQ(Split({{u"ab\r", kFull}, {u"\ncd", kEnd}}), (Lines{u"ab", u"cd"}));
    // The decoder's own break after a decoded CR is a break of its own.
    EXPECT_EQ(Split({{u"ab\r", kBreak}, {u"\ncd", kEnd}}), (Lines{u"ab", u"", u"", u"cd"}));
}

TEST(DecodedBreakSplitterTest, HeldUnitsComeBackInSmallReadsAndKeepTheDecodersState) {
    ScriptedSource source({{u"x\n012\n3456", kBreak}, {u"y", kEnd}});
    DecodedBreakSplitter splitter(&source);
    char16_t buffer[16];
    auto read = [&](std::uint32_t capacity) {
        std::uint32_t count = splitter.Read(buffer, capacity);
        return std::make_pair(std::u16string(buffer, count), splitter.State());
    };
    EXPECT_EQ(read(16), std::make_pair(std::u16string(u"x"), kBreak));
    EXPECT_EQ(read(2), std::make_pair(std::u16string(u"01"), kFull));
    EXPECT_EQ(read(2), std::make_pair(std::u16string(u"2"), kBreak));
    EXPECT_EQ(read(3), std::make_pair(std::u16string(u"345"), kFull));
    EXPECT_EQ(read(3), std::make_pair(std::u16string(u"6"), kBreak));
    EXPECT_EQ(read(3), std::make_pair(std::u16string(u"y"), kEnd));
}

TEST(DecodedBreakSplitterTest, AFullReadEndingInABreakGoesOnReading) {
    // The document stops at an empty read that is not at a break or the end.
    ScriptedSource source({{u"abc\n", kFull}, {u"def", kEnd}});
    DecodedBreakSplitter splitter(&source);
    char16_t buffer[8];
    EXPECT_EQ(splitter.Read(buffer, 4), 3u);
    EXPECT_EQ(splitter.State(), kBreak);
    EXPECT_EQ(splitter.Read(buffer, 4), 3u);
    EXPECT_EQ(splitter.State(), kEnd);
    DecodedBreakSplitter none;
    EXPECT_EQ(none.Read(buffer, 4), 0u);
    EXPECT_EQ(none.State(), kEnd);
}

TEST(DecodedBreakSplitterTest, EucJpSingleShiftThreeBeforeACrByteSavesAsShown) {
    test::TempFolder folder;
    TextFileIn in(charset::kEucJp);
    ASSERT_TRUE(test::WriteAndOpen(folder, "s.txt", Bytes({'a', 'b', 0x8F, 0x8D, 'c', 'd', '\r', '\n', 'e', 'f'}), in));
    Lines lines = test::DrainLines(in);
    for (const std::u16string& line : lines) EXPECT_EQ(line.find_first_of(u"\r\n"), std::u16string::npos);
    EXPECT_EQ(lines, (Lines{u"ab", u"cd", u"ef"}));
    EXPECT_EQ(test::Encode(charset::kEucJp, lines), "ab\r\ncd\r\nef");
}

}  // namespace
}  // namespace pathbook
