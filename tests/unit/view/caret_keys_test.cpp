// Keys and typing on a document with wrapped rows, surrogate pairs and tabs.
#include <gtest/gtest.h>

#include "document/memory_text.h"
#include "view/caret_fixture.h"

namespace pathbook {
namespace {

using test::CaretFixture;

const std::u16string kPair = u"\U0001F600";  // one character, two units

TEST(CaretKeysTest, LeftAndRightStepOverPairsAndLineEnds) {
    CaretFixture view(u"a" + kPair + u"b\ncd");
    view.Press(EditKey::kRight);
    view.Press(EditKey::kRight);
    EXPECT_EQ(view.At(), DocPos::At(0, 3));
    view.Press(EditKey::kRight);
    view.Press(EditKey::kRight);
    EXPECT_EQ(view.At(), DocPos::At(1, 0));
    view.Press(EditKey::kLeft);
    view.Press(EditKey::kLeft);
    view.Press(EditKey::kLeft);
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
    view.input.selection.SetCaret(DocPos::At(0, 0), false);
    view.Press(EditKey::kLeft);
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
}

TEST(CaretKeysTest, ArrowsWithoutShiftCollapseASelectionToItsEnds) {
    CaretFixture view(u"hello world");
    view.input.selection.SetCaret(DocPos::At(0, 8), false);
    view.Press(EditKey::kLeft, true);
    view.Press(EditKey::kLeft, true);
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 8));
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
    view.Press(EditKey::kRight);
    EXPECT_EQ(view.At(), DocPos::At(0, 8));
    EXPECT_TRUE(view.input.selection.Empty());
    view.Press(EditKey::kRight, true);
    view.Press(EditKey::kLeft);
    EXPECT_EQ(view.At(), DocPos::At(0, 8));
    EXPECT_TRUE(view.input.selection.Empty());
}

TEST(CaretKeysTest, CtrlArrowsJumpByToken) {
    CaretFixture view(u"alpha beta");
    view.Press(EditKey::kRight, false, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 5));
    view.input.selection.SetCaret(DocPos::At(0, 8), false);
    view.Press(EditKey::kLeft, true, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 8));
}

TEST(CaretKeysTest, VerticalMovesKeepTheRememberedX) {
    CaretFixture view(u"0123456789\nab\n0123456789");
    view.input.selection.SetCaret(DocPos::At(0, 7), false);
    view.Press(EditKey::kDown);
    EXPECT_EQ(view.At(), DocPos::At(1, 2));
    view.Press(EditKey::kDown, true);
    EXPECT_EQ(view.At(), DocPos::At(2, 7));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(1, 2));
    view.Press(EditKey::kUp);
    view.Press(EditKey::kUp);
    EXPECT_EQ(view.At(), DocPos::At(0, 7));
    view.Press(EditKey::kLeft);
    view.Press(EditKey::kDown);
    view.Press(EditKey::kDown);
    EXPECT_EQ(view.At(), DocPos::At(2, 6));
}

TEST(CaretKeysTest, ShiftDownInAWrappedLineKeepsTheX) {
    // Wrap after 4 letters: rows "abcd", "efgh", "ij".
    CaretFixture view(u"abcdefghij", LayoutOptions{4, false});
    view.input.selection.SetCaret(DocPos::At(0, 2), false);
    view.Press(EditKey::kDown, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
    view.Press(EditKey::kDown, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 10));
    view.Press(EditKey::kUp, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 2));
}

TEST(CaretKeysTest, CtrlUpAndDownMoveThreeRows) {
    CaretFixture view(u"a\nb\nc\nd\ne");
    view.Press(EditKey::kDown, false, true);
    EXPECT_EQ(view.At(), DocPos::At(3, 0));
    view.Press(EditKey::kUp, false, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
}

TEST(CaretKeysTest, HomeAndEndFollowDisplayRows) {
    CaretFixture view(u"abcdefghij", LayoutOptions{4, false});
    view.input.selection.SetCaret(DocPos::At(0, 6), false);
    view.Press(EditKey::kHome);
    EXPECT_EQ(view.At(), DocPos::At(0, 5));  // after the continuation row's first character
    view.Press(EditKey::kEnd);
    EXPECT_EQ(view.At(), DocPos::At(0, 8));
    view.input.selection.SetCaret(DocPos::At(0, 2), false);
    view.Press(EditKey::kHome);
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
    view.Press(EditKey::kEnd, false, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 10));
    view.Press(EditKey::kHome, true, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 10));
}

TEST(CaretKeysTest, HomeOnARowStartingWithAPairStepsOverTheWholePair) {
    CaretFixture view(u"abcd" + kPair + u"xy", LayoutOptions{4, false});
    view.input.selection.SetCaret(DocPos::At(0, 7), false);
    ASSERT_EQ(view.input.selection.Position().rowInLine, 1u);
    view.Press(EditKey::kHome);
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
}

TEST(CaretKeysTest, PageKeysMoveAWindowOfRowsAndAtLeastOne) {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"line\n";
    CaretFixture view(text);
    view.Press(EditKey::kPageDown);
    EXPECT_EQ(view.At(), DocPos::At(10, 0));  // 160 / 16 rows
    view.Press(EditKey::kPageUp, true);
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
    view.core.Resize(400, 5);
    view.input.selection.Relayout();
    view.Press(EditKey::kPageDown);
    EXPECT_EQ(view.At(), DocPos::At(1, 0));
}

TEST(CaretKeysTest, AResizeKeepsTheCaretOnShowInView) {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"line\n";
    CaretFixture view(text);
    view.input.selection.SetCaret(DocPos::At(9, 0), false);  // the last whole row of 10
    view.core.Resize(400, 80);
    view.input.selection.FollowResize(false);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 0u) << "a caret not on show may leave the window";
    view.input.selection.FollowResize(true);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 5u) << "rows 5 to 9 fill the 80 pixels";
    EXPECT_EQ(view.host.placed, (std::pair<std::int32_t, std::int32_t>{0, 64}));
}

TEST(CaretKeysTest, BackAndDeleteRemoveOneCharacterOrTheSelection) {
    CaretFixture view(u"a" + kPair + u"b\nc");
    view.input.selection.SetCaret(DocPos::At(0, 3), false);
    view.Press(EditKey::kBack);
    EXPECT_EQ(view.Line(0), u"ab");
    view.Press(EditKey::kDelete);
    EXPECT_EQ(view.Line(0), u"a");
    view.Press(EditKey::kDelete);
    EXPECT_EQ(view.Text(), u"ac");
    view.Press(EditKey::kDelete);
    view.Press(EditKey::kDelete);
    EXPECT_EQ(view.Text(), u"a");
    view.input.selection.SetCaret(DocPos::At(0, 0), false);
    view.Press(EditKey::kBack);
    EXPECT_EQ(view.Text(), u"a");
    view.Press(EditKey::kEnd, true);
    view.Press(EditKey::kBack);
    EXPECT_EQ(view.Text(), u"");
}

TEST(CaretKeysTest, TypingInsertsAndTheCaretFollows) {
    CaretFixture view(u"");
    view.Type(u"ab\tc\rd");
    EXPECT_EQ(view.Text(), u"ab\tc\r\nd");
    EXPECT_EQ(view.At(), DocPos::At(1, 1));
    view.Type(u"\x01\x7F\n");
    EXPECT_EQ(view.Text(), u"ab\tc\r\nd");
}

TEST(CaretKeysTest, BracketsArePairedWithTheCaretBetween) {
    CaretFixture view(u"abc def");
    view.Press(EditKey::kRight, true);
    view.Press(EditKey::kRight, true);
    view.Press(EditKey::kRight, true);
    view.Type(u"[");
    EXPECT_EQ(view.Line(0), u"[] def");
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
    EXPECT_TRUE(view.input.selection.Empty());
    view.Type(u"<");
    EXPECT_EQ(view.Line(0), u"[<>] def");
    EXPECT_EQ(view.At(), DocPos::At(0, 2));
}

TEST(CaretKeysTest, OverwriteReplacesOneCharacterAndInsertsAtTheLineEnd) {
    CaretFixture view(u"a" + kPair + u"b");
    view.Press(EditKey::kInsert);
    EXPECT_FALSE(view.input.selection.InsertMode());
    EXPECT_EQ(view.host.shapeChanges, 1);
    EXPECT_EQ(view.input.selection.SystemCaretWidth(), 8);
    view.Type(u"xy");
    EXPECT_EQ(view.Line(0), u"xyb");
    view.Press(EditKey::kEnd);
    view.Type(u"z");
    EXPECT_EQ(view.Line(0), u"xybz");
    view.Press(EditKey::kInsert);
    EXPECT_EQ(view.input.selection.SystemCaretWidth(), 2);
}

TEST(CaretKeysTest, APairTypedAsTwoUnitsIsOneCharacterAndOneUndoStep) {
    CaretFixture view(u"ab");
    view.input.selection.SetCaret(DocPos::At(0, 1), false);
    view.Type(kPair);
    EXPECT_EQ(view.Line(0), u"a" + kPair + u"b");
    EXPECT_EQ(view.At(), DocPos::At(0, 3));
    view.document.Undo();
    EXPECT_EQ(view.Line(0), u"ab");
    view.Press(EditKey::kInsert);
    view.Type(kPair);
    view.Type(kPair);
    EXPECT_EQ(view.Line(0), u"a" + kPair + kPair);
}

TEST(CaretKeysTest, LoneSurrogatesAreNotStored) {
    CaretFixture view(u"");
    view.input.keys.Char(0xD83D);
    view.input.keys.Char(u'x');
    view.input.keys.Char(0xDE00);
    EXPECT_EQ(view.Text(), u"x");
}

TEST(CaretKeysTest, ReadOnlyAllowsMovingButNoEditing) {
    CaretFixture view(u"abc");
    view.document.SetEditLock(true);
    view.Type(u"x[");
    view.Press(EditKey::kDelete);
    view.Press(EditKey::kRight, true);
    view.Press(EditKey::kBack);
    view.input.keys.InputString(u"ime");
    const char16_t clip[] = u"paste";
    view.input.keys.PasteText(clip, 6);
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
}

TEST(CaretKeysTest, AnInputStringReplacesTheSelectionAsOneStep) {
    CaretFixture view(u"abc");
    view.Press(EditKey::kRight, true);
    view.input.keys.InputString(u"日本語");
    EXPECT_EQ(view.Text(), u"日本語bc");
    EXPECT_EQ(view.At(), DocPos::At(0, 3));
    view.document.Undo();
    EXPECT_EQ(view.Text(), u"abc");
}

TEST(CaretKeysTest, UndoPutsTheCaretAtTheEndOfTheChange) {
    CaretFixture view(u"abc");
    view.Press(EditKey::kEnd);
    view.Type(u"de");
    view.document.Undo();
    EXPECT_EQ(view.Text(), u"abcd");
    EXPECT_EQ(view.At(), DocPos::At(0, 4));
    view.document.Redo();
    EXPECT_EQ(view.At(), DocPos::At(0, 5));
}

TEST(CaretKeysTest, ClearingAndLoadingPutTheCaretAtTheStart) {
    CaretFixture view(u"ab\ncd", LayoutOptions{1, false});
    view.input.selection.SetCaret(DocPos::At(0, 1), false);
    view.input.selection.SetCaret(DocPos::At(1, 1), true);
    view.document.ClearAll();
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
    EXPECT_TRUE(view.input.selection.Empty());
    test::Load(view.document, u"ef\ngh");
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
    view.Press(EditKey::kEnd, false, true);
    EXPECT_EQ(view.At(), DocPos::At(1, 2));
    EXPECT_EQ(view.input.selection.Position().absRow, 3u);  // one letter a row
}

TEST(CaretKeysTest, SelectAllAndDeleteSelection) {
    CaretFixture view(u"ab\ncd");
    view.input.selection.SelectAll();
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 0));
    EXPECT_EQ(view.At(), DocPos::At(1, 2));
    view.input.keys.DeleteSelection();
    EXPECT_EQ(view.Text(), u"");
    view.input.keys.DeleteSelection();
    EXPECT_FALSE(view.document.CanRedo());
}

TEST(CaretKeysTest, TheCaretScrollsIntoViewAndIsPlacedInClientPixels) {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"line\n";
    CaretFixture view(text, LayoutOptions{kNoWrap, true});
    view.Press(EditKey::kDown, false, false);
    EXPECT_EQ(view.host.placed, (std::pair<std::int32_t, std::int32_t>{view.core.CurrentLayout().TextLeft(), 16}));
    view.Press(EditKey::kEnd, false, true);
    EXPECT_GT(view.core.CurrentViewport().topRow, 0u);
    const RowIndex top = view.core.CurrentViewport().topRow;
    EXPECT_EQ(view.host.placed.second, static_cast<std::int32_t>((40 - top) * 16));
}

TEST(CaretKeysTest, ACaretScrolledUnderTheMarginIsHiddenLeftOfTheWindow) {
    CaretFixture view(std::u16string(200, u'a'), LayoutOptions{kNoWrap, true});
    const std::int32_t margin = view.core.CurrentLayout().TextLeft();
    view.input.selection.SetCaret(DocPos::At(0, 5), false);
    view.core.ScrollTo(Viewport{0, 40 + margin / 2});
    view.input.selection.Relayout();
    EXPECT_EQ(view.input.selection.SystemCaretPoint().x, -margin);
    EXPECT_EQ(view.host.placed.first, -margin);
    view.core.ScrollTo(Viewport{0, 16});
    view.input.selection.Relayout();
    EXPECT_EQ(view.host.placed.first, margin + 24);
}

TEST(CaretKeysTest, KeyCodesMapToEditKeys) {
    EXPECT_EQ(KeyFromVirtualKey(0x25), EditKey::kLeft);
    EXPECT_EQ(KeyFromVirtualKey(0x2E), EditKey::kDelete);
    EXPECT_EQ(KeyFromVirtualKey(0x08), EditKey::kBack);
    EXPECT_EQ(KeyFromVirtualKey(0x41), EditKey::kOther);
}

}  // namespace
}  // namespace pathbook
