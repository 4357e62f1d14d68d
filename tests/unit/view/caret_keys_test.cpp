// Keys and typing on a document with wrapped rows, surrogate pairs and tabs.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "document/memory_text.h"
#include "view/caret_fixture.h"

namespace pathbook {
namespace {

using test::CaretFixture;

const std::u16string kPair = u"\U0001F600";  // one character, two units
constexpr bool kShift = true;
constexpr bool kCtrl = true;
const LayoutOptions kWrapAt4{4, false};

// Plays `script`: l r u d h(ome) e(nd) p(age up) n(ext page) i(nsert)
// b(ackspace) x (delete), each after "+" for shift and "^" for ctrl; z undoes,
// y redoes; the units between two "'" are typed one by one.
void Play(CaretFixture& view, std::u16string_view script) {
    const std::u16string_view letters = u"lrudhepnibx";
    const EditKey keys[] = {EditKey::kLeft,     EditKey::kRight,  EditKey::kUp,   EditKey::kDown,
                            EditKey::kHome,     EditKey::kEnd,    EditKey::kPageUp, EditKey::kPageDown,
                            EditKey::kInsert,   EditKey::kBack,   EditKey::kDelete};
    bool shift = false;
    bool ctrl = false;
    bool typing = false;
    for (char16_t c : script) {
        if (c == u'\'') {
            typing = !typing;
        } else if (typing) {
            view.input.keys.Char(c);
        } else if (c == u'+' || c == u'^') {
            (c == u'+' ? shift : ctrl) = true;
        } else if (c == u'z') {
            view.document.Undo();
        } else if (c == u'y') {
            view.document.Redo();
        } else {
            view.Press(keys[letters.find(c)], shift, ctrl);
            shift = ctrl = false;
        }
    }
}

// Each row plays its script on a fresh view; rows with the same text and
// start replay a longer part of the same walk. `after` is the whole text
// then, unchecked when null.
struct Walk {
    const char* what;
    std::u16string text;
    LayoutOptions options;
    DocPos start;
    std::u16string script;
    const char* selected;
    const char16_t* after = nullptr;
};

void CheckWalks(const std::vector<Walk>& walks) {
    for (const Walk& walk : walks) {
        CaretFixture view(walk.text, walk.options);
        view.input.selection.SetCaret(walk.start, false);
        Play(view, walk.script);
        EXPECT_EQ(view.Selected(), walk.selected) << walk.what;
        if (walk.after != nullptr) {
            EXPECT_EQ(view.Text(), walk.after) << walk.what;
        }
    }
}

TEST(CaretKeysTest, MovingKeysStepOverPairsAndFollowRows) {
    const std::u16string pairLine = u"a" + kPair + u"b\ncd";
    const std::u16string digits = u"0123456789\nab\n0123456789";
    const std::u16string wrapped = u"abcdefghij";
    CheckWalks({
        {"right steps over a pair", pairLine, {}, DocPos::At(0, 0), u"rr", "0:3"},
        {"right steps over the line end", pairLine, {}, DocPos::At(0, 0), u"rrrr", "1:0"},
        {"left steps back over both", pairLine, {}, DocPos::At(0, 0), u"rrrrlll", "0:1"},
        {"left at the start stays", pairLine, {}, DocPos::At(0, 0), u"l", "0:0"},
        {"shift left extends", u"hello world", {}, DocPos::At(0, 8), u"+l+l", "0:8>0:6"},
        {"right collapses to the selection's end", u"hello world", {}, DocPos::At(0, 8), u"+l+lr", "0:8"},
        {"left collapses to the selection's start", u"hello world", {}, DocPos::At(0, 8), u"+l+lr+rl", "0:8"},
        {"ctrl right jumps by token", u"alpha beta", {}, DocPos::At(0, 0), u"^r", "0:5"},
        {"shift ctrl left jumps by token", u"alpha beta", {}, DocPos::At(0, 8), u"+^l", "0:8>0:6"},
        {"down to a short line", digits, {}, DocPos::At(0, 7), u"d", "1:2"},
        {"down again keeps the remembered x", digits, {}, DocPos::At(0, 7), u"d+d", "1:2>2:7"},
        {"up twice returns", digits, {}, DocPos::At(0, 7), u"d+duu", "0:7"},
        {"left sets a new x", digits, {}, DocPos::At(0, 7), u"d+duuldd", "2:6"},
        {"shift down in a wrapped line keeps the x", wrapped, kWrapAt4, DocPos::At(0, 2), u"+d", "0:2>0:6"},
        {"shift down to the last row", wrapped, kWrapAt4, DocPos::At(0, 2), u"+d+d", "0:2>0:10"},
        {"shift up in a wrapped line", wrapped, kWrapAt4, DocPos::At(0, 2), u"+d+d+u", "0:2>0:6"},
        {"ctrl down moves three rows", u"a\nb\nc\nd\ne", {}, DocPos::At(0, 0), u"^d", "3:0"},
        {"ctrl up moves three rows", u"a\nb\nc\nd\ne", {}, DocPos::At(0, 0), u"^d^u", "0:0"},
        {"home on a continuation row stops after its first unit", wrapped, kWrapAt4, DocPos::At(0, 6), u"h", "0:5"},
        {"end of a continuation row", wrapped, kWrapAt4, DocPos::At(0, 6), u"he", "0:8"},
        {"home on the first row", wrapped, kWrapAt4, DocPos::At(0, 2), u"h", "0:0"},
        {"ctrl end", wrapped, kWrapAt4, DocPos::At(0, 2), u"h^e", "0:10"},
        {"shift ctrl home", wrapped, kWrapAt4, DocPos::At(0, 2), u"h^e+^h", "0:10>0:0"},
        {"home on a row starting with a pair steps over the whole pair", u"abcd" + kPair + u"xy", kWrapAt4,
         DocPos::At(0, 7), u"h", "0:6"},
        {"page down moves a window of 160 / 16 rows", test::ShortLines(40), {}, DocPos::At(0, 0), u"n", "10:0"},
        {"shift page up", test::ShortLines(40), {}, DocPos::At(0, 0), u"n+p", "10:0>0:0"},
    });
}

TEST(CaretKeysTest, TypingAndDeletingEditAroundTheCaret) {
    const std::u16string pairLine = u"a" + kPair + u"b\nc";
    CheckWalks({
        {"back removes a whole pair", pairLine, {}, DocPos::At(0, 3), u"b", "0:1", u"ab\r\nc"},
        {"delete removes one character", pairLine, {}, DocPos::At(0, 3), u"bx", "0:1", u"a\r\nc"},
        {"delete at a line end joins the lines", pairLine, {}, DocPos::At(0, 3), u"bxx", "0:1", u"ac"},
        {"delete at the end does nothing", pairLine, {}, DocPos::At(0, 3), u"bxxxx", "0:1", u"a"},
        {"back at the start does nothing", pairLine, {}, DocPos::At(0, 3), u"bxxxxhb", "0:0", u"a"},
        {"back removes the selection", pairLine, {}, DocPos::At(0, 3), u"bxxxxhb+eb", "0:0", u""},
        {"typing inserts and follows; CR breaks the line", u"", {}, DocPos::At(0, 0), u"'ab\tc\rd'", "1:1",
         u"ab\tc\r\nd"},
        {"control units and LF are not typed", u"", {}, DocPos::At(0, 0), u"'ab\tc\rd\x01\x7F\n'", "1:1",
         u"ab\tc\r\nd"},
        {"a bracket replaces the selection as a pair around the caret", u"abc def", {}, DocPos::At(0, 0),
         u"+r+r+r'['", "0:1", u"[] def"},
        {"brackets nest", u"abc def", {}, DocPos::At(0, 0), u"+r+r+r'[<'", "0:2", u"[<>] def"},
        {"a pair typed as two units is one character", u"ab", {}, DocPos::At(0, 1), u"'" + kPair + u"'", "0:3",
         u"a\U0001F600b"},
        {"and one undo step", u"ab", {}, DocPos::At(0, 1), u"'" + kPair + u"'z", "0:1", u"ab"},
        {"overwriting a pair with a pair", u"ab", {}, DocPos::At(0, 1), u"'" + kPair + u"'zi'" + kPair + kPair + u"'",
         "0:5", u"a\U0001F600\U0001F600"},
        {"lone surrogates are not stored", u"", {}, DocPos::At(0, 0), u"'\xD83Dx\xDE00'", "0:1", u"x"},
        {"undo puts the caret at the end of the change", u"abc", {}, DocPos::At(0, 0), u"e'de'z", "0:4", u"abcd"},
        {"and so does redo", u"abc", {}, DocPos::At(0, 0), u"e'de'zy", "0:5", u"abcde"},
    });
}

TEST(CaretKeysTest, PageDownInAWindowShorterThanARowMovesOneRow) {
    CaretFixture view(test::ShortLines(40));
    view.core.Resize(400, 5);
    view.input.selection.Relayout();
    view.Press(EditKey::kPageDown);
    EXPECT_EQ(view.At(), DocPos::At(1, 0));
}

TEST(CaretKeysTest, AResizeKeepsTheCaretOnShowInView) {
    CaretFixture view(test::ShortLines(40));
    view.input.selection.SetCaret(DocPos::At(9, 0), false);  // the last whole row of 10
    view.core.Resize(400, 80);
    view.input.selection.FollowResize(false);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 0u) << "a caret not on show may leave the window";
    view.input.selection.FollowResize(true);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 5u) << "rows 5 to 9 fill the 80 pixels";
    EXPECT_EQ(view.host.placed, (std::pair<std::int32_t, std::int32_t>{0, 64}));
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

TEST(CaretKeysTest, ReadOnlyAllowsMovingButNoEditing) {
    CaretFixture view(u"abc");
    view.document.SetEditLock(true);
    view.Type(u"x[");
    view.Press(EditKey::kDelete);
    view.Press(EditKey::kRight, kShift);
    view.Press(EditKey::kBack);
    view.input.keys.InputString(u"ime");
    view.input.keys.PasteText(u"paste", 6);
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
}

TEST(CaretKeysTest, AnInputStringReplacesTheSelectionAsOneStep) {
    CaretFixture view(u"abc");
    view.Press(EditKey::kRight, kShift);
    view.input.keys.InputString(u"日本語");
    EXPECT_EQ(view.Text(), u"日本語bc");
    EXPECT_EQ(view.At(), DocPos::At(0, 3));
    view.document.Undo();
    EXPECT_EQ(view.Text(), u"abc");
}

TEST(CaretKeysTest, ClearingAndLoadingPutTheCaretAtTheStart) {
    CaretFixture view(u"ab\ncd", LayoutOptions{1, false});
    view.Select(DocPos::At(0, 1), DocPos::At(1, 1));
    view.document.ClearAll();
    EXPECT_EQ(view.Selected(), "0:0");
    test::Load(view.document, u"ef\ngh");
    EXPECT_EQ(view.At(), DocPos::At(0, 0));
    view.Press(EditKey::kEnd, false, kCtrl);
    EXPECT_EQ(view.At(), DocPos::At(1, 2));
    EXPECT_EQ(view.input.selection.Position().absRow, 3u);  // one letter a row
}

TEST(CaretKeysTest, SelectAllAndDeleteSelection) {
    CaretFixture view(u"ab\ncd");
    view.input.selection.SelectAll();
    EXPECT_EQ(view.Selected(), "0:0>1:2");
    view.input.keys.DeleteSelection();
    EXPECT_EQ(view.Text(), u"");
    view.input.keys.DeleteSelection();
    EXPECT_FALSE(view.document.CanRedo());
}

TEST(CaretKeysTest, TheCaretScrollsIntoViewAndIsPlacedInClientPixels) {
    CaretFixture view(test::ShortLines(40), LayoutOptions{kNoWrap, true});
    view.Press(EditKey::kDown);
    EXPECT_EQ(view.host.placed, (std::pair<std::int32_t, std::int32_t>{view.core.CurrentLayout().TextLeft(), 16}));
    view.Press(EditKey::kEnd, false, kCtrl);
    const RowIndex top = view.core.CurrentViewport().topRow;
    EXPECT_GT(top, 0u);
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
    const std::pair<int, EditKey> codes[] = {
        {0x25, EditKey::kLeft}, {0x2E, EditKey::kDelete}, {0x08, EditKey::kBack}, {0x41, EditKey::kOther}};
    for (auto [code, key] : codes) EXPECT_EQ(KeyFromVirtualKey(code), key) << code;
}

}  // namespace
}  // namespace pathbook
