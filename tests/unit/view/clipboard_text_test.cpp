// Copying a range, pasting text and files, through the helpers and the caret.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "view/caret_fixture.h"
#include "view/clipboard_text.h"
#include "view/file_list_block.h"

namespace pathbook {
namespace {

using test::CaretFixture;

TEST(ClipboardTextTest, CopiedTextHasCrLfBreaksAndANul) {
    CaretFixture view(u"one\ntwo\nthree");
    const DocPos from = DocPos::At(0, 1);
    const DocPos to = DocPos::At(2, 2);
    const TextSize units = ClipboardUnits(view.document, to, from);
    std::u16string block(units, u'?');
    WriteClipboardText(view.document, to, from, block.data());
    EXPECT_EQ(block, std::u16string(u"ne\r\ntwo\r\nth", 12));
}

TEST(ClipboardTextTest, PastedTextEndsAtItsNulOrTheBlock) {
    const char16_t block[] = {u'a', u'b', 0, u'c'};
    EXPECT_EQ(PastedText(block, 4, false), u"ab");
    const char16_t unterminated[] = {u'a', u'\t', u'b'};
    EXPECT_EQ(PastedText(unterminated, 3, false), u"a\tb");
    EXPECT_EQ(PastedText(unterminated, 0, false), u"");
    EXPECT_EQ(PastedText(nullptr, 5, false), u"");
}

TEST(ClipboardTextTest, TextGoingIntoALinkLosesControlsAndBrackets) {
    const std::u16string text = u"C:\\a\tb<c>\r\n\x1F\x7F";
    EXPECT_EQ(PastedText(text.data(), text.size(), true), u"C:\\abc\x7F");
}

TEST(ClipboardTextTest, PastingBetweenBracketsKeepsOneLink) {
    CaretFixture view(u"");
    view.Type(u"<");
    const std::u16string clip = u"C:\\dir\tx\r\n";
    view.input.keys.PasteText(clip.c_str(), clip.size() + 1);
    EXPECT_EQ(view.Text(), u"<C:\\dirx>");
    view.input.selection.SetCaret(DocPos::At(0, 9), false);
    view.input.keys.PasteText(clip.c_str(), clip.size() + 1);
    EXPECT_EQ(view.Text(), u"<C:\\dirx>C:\\dir\tx\r\n");
    view.document.Undo();
    EXPECT_EQ(view.Text(), u"<C:\\dirx>");
}

TEST(ClipboardTextTest, PasteReplacesTheSelectionAsOneStep) {
    CaretFixture view(u"abc");
    view.input.selection.SelectAll();
    const char16_t clip[] = u"x\ny";
    view.input.keys.PasteText(clip, 4);
    EXPECT_EQ(view.Text(), u"x\r\ny");
    EXPECT_EQ(view.At(), DocPos::At(1, 1));
    view.document.Undo();
    EXPECT_EQ(view.Text(), u"abc");
}

TEST(ClipboardTextTest, FilesBecomeLinkLinesWhileTheyFit) {
    EXPECT_EQ(FileListText({u"C:\\a.txt", u"D:\\b"}), u"<C:\\a.txt>\r\n<D:\\b>\r\n");
    const std::u16string long1(200, u'x');
    const std::u16string long2(60, u'y');
    const std::u16string list = FileListText({long1, long2, u"C:\\z"});
    EXPECT_EQ(list, u"<" + long1 + u">\r\n<C:\\z>\r\n");
    EXPECT_LT(list.size(), 260u);
    EXPECT_EQ(FileListText({std::u16string(256, u'q')}), u"");
    EXPECT_EQ(FileListText({std::u16string(255, u'q')}).size(), 259u);
}

TEST(ClipboardTextTest, PastedFilesGoToTheCaretAsASecondStep) {
    CaretFixture view(u"ab");
    view.input.selection.SetCaret(DocPos::At(0, 1), false);
    const char16_t clip[] = u"T";
    view.input.keys.PasteText(clip, 2);
    view.input.keys.PasteFiles({u"C:\\f1", u"C:\\f2"});
    EXPECT_EQ(view.Text(), u"aT<C:\\f1>\r\n<C:\\f2>\r\nb");
    view.document.Undo();
    EXPECT_EQ(view.Text(), u"aTb");
}

// A CF_HDROP block: the five header fields, then `list` as bytes.
std::vector<std::uint8_t> FileBlock(std::uint32_t offset, bool wide, const std::u16string& list) {
    std::vector<std::uint8_t> block;
    for (std::uint32_t field : {offset, 0u, 0u, 0u, wide ? 1u : 0u}) {
        for (int byte = 0; byte < 4; ++byte) block.push_back(static_cast<std::uint8_t>(field >> (8 * byte)));
    }
    for (char16_t unit : list) {
        if (wide) block.push_back(static_cast<std::uint8_t>(unit));
        block.push_back(static_cast<std::uint8_t>(wide ? unit >> 8 : unit));
    }
    return block;
}

TEST(ClipboardTextTest, AFileListIsReadWithinItsBlock) {
    using Paths = std::vector<std::u16string>;
    const std::u16string two(u"C:\\a.txt\0D:\\b\0\0", 15);
    struct Case {
        std::vector<std::uint8_t> block;
        Paths paths;
    } cases[] = {
        {FileBlock(20, true, two), {u"C:\\a.txt", u"D:\\b"}},
        {FileBlock(20, false, two), {u"C:\\a.txt", u"D:\\b"}},  // the ANSI form
        {FileBlock(20, true, std::u16string(u"\0", 1)), {}},
        {FileBlock(20, true, std::u16string(u"C:\\a\0D:\\b", 10)), {}},  // no end within the block
        {FileBlock(20, true, std::u16string(u"C:\\a\0", 5)), {}},
        {FileBlock(4000, true, two), {}},                                    // the list lies outside
        {FileBlock(8, true, two), {}},                                       // inside the header
        {std::vector<std::uint8_t>(19, 0), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseFileListBlock(c.block.data(), c.block.size()), c.paths);
    std::vector<std::uint8_t> odd = FileBlock(20, true, two);
    odd.push_back(0x41);  // a last odd byte is not a unit
    EXPECT_EQ(ParseFileListBlock(odd.data(), odd.size()), (Paths{u"C:\\a.txt", u"D:\\b"}));
    EXPECT_TRUE(ParseFileListBlock(nullptr, 100).empty());
}

}  // namespace
}  // namespace pathbook
