// The reconversion and document-feed blocks, byte for byte, and where the
// input method's windows go.
#include <gtest/gtest.h>

#include "view/caret_fixture.h"
#include "view/ime_blocks.h"

namespace pathbook {
namespace {

using test::CaretFixture;

// A block of `text` with its composition at [compOffset, compOffset + compLength):
// the eight header fields, the units and a NUL.
std::vector<std::uint8_t> Block(std::u16string_view text, std::uint32_t compLength, std::uint32_t compOffset) {
    const auto length = static_cast<std::uint32_t>(text.size());
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t field : {34 + 2 * length, 0u, length, 32u, compLength, compOffset, compLength, compOffset}) {
        for (int byte = 0; byte < 4; ++byte) bytes.push_back(static_cast<std::uint8_t>(field >> (8 * byte)));
    }
    for (char16_t unit : std::u16string(text) + u'\0') {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

TEST(ImeBlocksTest, AReconversionBlockIsLaidOutByteForByte) {
    const std::vector<std::uint8_t> block = ReconvertBlock(u"日本", 0, 2);
    EXPECT_EQ(block, (std::vector<std::uint8_t>{38, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 32, 0, 0, 0,
                                               2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                               0xE5, 0x65, 0x2C, 0x67, 0, 0}));
    EXPECT_EQ(ReconvertBlock(u"abc", 1, 9), Block(u"abc", 2, 2));
    EXPECT_EQ(ReconvertBlock(u"", 4, 4), Block(u"", 0, 0));
}

TEST(ImeBlocksTest, ABlockHoldsAtMostItsCapOfText) {
    const std::u16string most(kMaxImeBlockUnits, u'x');
    EXPECT_EQ(ReconvertBlock(most, 0, most.size()).size(), 34 + 2 * most.size());
    EXPECT_TRUE(ReconvertBlock(most + u"x", 0, 1).empty());
    CaretFixture view(most + u"xy");
    view.Select(DocPos::At(0, 0), DocPos::At(0, kMaxImeBlockUnits + 1));
    EXPECT_TRUE(view.input.ime.ReconversionBlock().empty()) << "too long a selection is not offered";
    view.input.selection.SetCaret(DocPos::At(0, kMaxImeBlockUnits), true);
    EXPECT_FALSE(view.input.ime.ReconversionBlock().empty());
}

TEST(ImeBlocksTest, ABlockIsCopiedOnlyWhereItFits) {
    const std::vector<std::uint8_t> block = ReconvertBlock(u"ab", 0, 2);
    std::vector<std::uint8_t> room(block.size() - 1, 0xAA);
    EXPECT_FALSE(FillImeBlock(block, room.data(), room.size()));
    EXPECT_EQ(room, std::vector<std::uint8_t>(block.size() - 1, 0xAA));
    room.resize(block.size() + 4, 0xAA);
    EXPECT_TRUE(FillImeBlock(block, room.data(), room.size()));
    EXPECT_TRUE(std::equal(block.begin(), block.end(), room.begin()));
    EXPECT_FALSE(FillImeBlock(block, nullptr, 100));
}

TEST(CaretImeTest, ReconversionTakesASelectionWithinOneLine) {
    CaretFixture view(u"漢字 かな\nnext");
    view.Select(DocPos::At(0, 0), DocPos::At(0, 2));
    EXPECT_EQ(view.input.ime.ReconversionBlock(), Block(u"漢字", 2, 0));
    view.input.ime.StartReconversion();
    EXPECT_EQ(view.Selected(), "0:2>0:0");
    view.input.keys.InputString(u"感じ");
    EXPECT_EQ(view.Text(), u"感じ かな\r\nnext");
    view.Select(DocPos::At(0, 4), DocPos::At(1, 1));
    EXPECT_TRUE(view.input.ime.ReconversionBlock().empty());
    // A selection made right to left is not swapped.
    view.Select(DocPos::At(0, 3), DocPos::At(0, 1));
    view.input.ime.StartReconversion();
    EXPECT_EQ(view.Selected(), "0:3>0:1");
}

TEST(CaretImeTest, ReconversionOfAnEmptySelectionTakesTheWordAtTheCaret) {
    CaretFixture view(u"abc def");
    view.input.selection.SetCaret(DocPos::At(0, 5), false);
    EXPECT_EQ(view.input.ime.ReconversionBlock(), Block(u"def", 3, 0));
    view.input.ime.StartReconversion();
    EXPECT_EQ(view.Selected(), "0:7>0:4");
    view.input.selection.SetCaret(DocPos::At(0, 7), false);
    EXPECT_EQ(view.input.ime.ReconversionBlock(), Block(u"def", 3, 0));
    CaretFixture empty(u"");
    EXPECT_TRUE(empty.input.ime.ReconversionBlock().empty());
}

TEST(CaretImeTest, TheDocumentFeedIsTheLineAroundTheCaret) {
    CaretFixture view(u"first\nhello world\nlast");
    view.input.selection.SetCaret(DocPos::At(1, 5), false);
    EXPECT_EQ(view.input.ime.DocumentFeedBlock(), Block(u"hello world", 0, 10));
    const std::u16string pair = u"\U0001F600";
    std::u16string line = u"a" + pair + std::u16string(255, u'x') + u"^" + std::u16string(300, u'y');
    CaretFixture wide(line);
    wide.input.selection.SetCaret(DocPos::At(0, 258), false);  // "^": 256 units after the pair's low half
    const std::vector<std::uint8_t> feed = wide.input.ime.DocumentFeedBlock();
    const std::u16string expected = line.substr(1, 2 + 255 + 1 + 255);  // the window starts with the whole pair
    EXPECT_EQ(feed, Block(expected, 0, 2 * 257));
}

TEST(CaretImeTest, CharPositionsFollowTheSelectionStart) {
    CaretFixture view(u"abcdef\nxy");
    view.input.selection.SetCaret(DocPos::At(1, 1), false);
    ImeBridge::CharPlace place = view.input.ime.CharPosition(0);
    EXPECT_EQ(place.x, 8);
    EXPECT_EQ(place.y, 16);
    EXPECT_EQ(place.lineHeight, 16);
    view.Select(DocPos::At(0, 4), DocPos::At(0, 2));
    EXPECT_EQ(view.input.ime.CharPosition(3).x, 40);
    EXPECT_EQ(view.input.ime.CharPosition(99).x, 48);
}

}  // namespace
}  // namespace pathbook
