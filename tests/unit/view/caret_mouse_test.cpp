// Clicks, drags, double and right clicks, the pointer, and links opened from
// the mouse and the link commands. Points are client pixels of an 8 x 16 font.
#include <gtest/gtest.h>

#include "view/caret_fixture.h"

namespace pathbook {
namespace {

using test::CaretFixture;

std::int32_t X(Column column) { return static_cast<std::int32_t>(column) * 8 + 1; }
std::int32_t Y(LineIndex line) { return static_cast<std::int32_t>(line) * 16 + 1; }

// "<" at 4, the text "C:\dir\file.txt" at 5..19, ">" at 20.
const std::u16string kPathLine = u"see <C:\\dir\\file.txt> now";

std::string Missing(const Document& document, LineIndex line) {
    std::string marks;
    for (Column c = 0; c < document.LineLength(line); ++c) {
        marks += (document.LineTokens(line)[c] & kMissingBit) != 0 ? 'm' : '.';
    }
    return marks;
}

LinkResult Result(std::int32_t existing, std::u16string linkText, std::u16string status = u"status") {
    LinkResult result;
    result.existing = existing;
    result.linkText = std::move(linkText);
    result.statusText = std::move(status);
    return result;
}

TEST(CaretMouseTest, AClickPlacesTheCaretAndShiftClickExtends) {
    CaretFixture view(u"hello\nworld");
    EXPECT_TRUE(view.caret.LeftButtonDown(X(3), Y(1), false, false));
    view.caret.LeftButtonUp();
    EXPECT_EQ(view.At(), DocPos::At(1, 3));
    EXPECT_TRUE(view.caret.SelectionEmpty());
    view.caret.LeftButtonDown(X(1), Y(0), true, false);
    view.caret.LeftButtonUp();
    EXPECT_EQ(view.AnchorAt(), DocPos::At(1, 3));
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
}

TEST(CaretMouseTest, DraggingExtendsAndTheTimerScrollsOutsideTheText) {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"line\n";
    CaretFixture view(text);
    EXPECT_TRUE(view.caret.LeftButtonDown(X(1), Y(1), false, false));
    view.caret.MouseMove(X(3), Y(4));
    EXPECT_EQ(view.At(), DocPos::At(4, 3));
    view.caret.MouseMove(X(3), 200);  // below the window: only the timer extends
    EXPECT_EQ(view.At(), DocPos::At(4, 3));
    view.caret.DragTick();
    EXPECT_GT(view.At().line, 9u);
    EXPECT_GT(view.core.CurrentViewport().topRow, 0u);
    view.caret.LeftButtonUp();
    EXPECT_FALSE(view.caret.Dragging());
    const DocPos after = view.At();
    view.caret.DragTick();
    view.caret.MouseMove(X(0), Y(0));
    EXPECT_EQ(view.At(), after);
    EXPECT_EQ(view.AnchorAt(), DocPos::At(1, 1));
}

TEST(CaretMouseTest, AMarginClickSelectsWholeLinesAndNeverOpensALink) {
    CaretFixture view(kPathLine + u"\nb\nc", LayoutOptions{kNoWrap, true});
    const std::int32_t left = view.core.CurrentLayout().TextLeft();
    ASSERT_GT(left, 16);
    view.caret.MouseMove(2, Y(0));
    EXPECT_EQ(view.caret.Cursor(), CursorShape::kIBeam);
    EXPECT_TRUE(view.caret.LeftButtonDown(2, Y(0), false, false));
    EXPECT_TRUE(view.host.requests.empty());
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 0));
    EXPECT_EQ(view.At(), DocPos::At(1, 0));
    view.caret.DragTick();  // the margin lies outside the text: the timer extends by lines
    view.caret.MouseMove(2, Y(1));
    view.caret.DragTick();
    EXPECT_EQ(view.At(), DocPos::At(2, 0));
    view.caret.LeftButtonUp();
    view.caret.DoubleClick(2, Y(0), false);
    EXPECT_EQ(view.At(), DocPos::At(2, 0));
}

TEST(CaretMouseTest, DoubleClickSelectsTheTokenOrTheLineAtItsEnd) {
    CaretFixture view(u"alpha beta\nxy");
    view.caret.LeftButtonDown(X(7), Y(0), false, false);
    view.caret.LeftButtonUp();
    view.caret.DoubleClick(X(7), Y(0), false);
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 6));
    EXPECT_EQ(view.At(), DocPos::At(0, 10));
    view.caret.LeftButtonDown(X(30), Y(1), false, false);
    view.caret.LeftButtonUp();
    view.caret.DoubleClick(X(30), Y(1), false);
    EXPECT_EQ(view.AnchorAt(), DocPos::At(1, 0));
    EXPECT_EQ(view.At(), DocPos::At(1, 2));
}

TEST(CaretMouseTest, RightClickKeepsASelectionItFallsIn) {
    CaretFixture view(u"alpha beta");
    view.caret.SetCaret(DocPos::At(0, 2), false);
    view.caret.SetCaret(DocPos::At(0, 6), true);
    view.caret.RightButtonDown(X(6), Y(0));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 2));
    view.caret.RightButtonDown(X(8), Y(0));
    EXPECT_EQ(view.At(), DocPos::At(0, 8));
    EXPECT_TRUE(view.caret.SelectionEmpty());
}

TEST(CaretMouseTest, HitTestingNeverSplitsAPair) {
    CaretFixture view(u"a\U0001F600b");
    view.measurer.SetPairWidth(16);
    view.caret.LeftButtonDown(X(2), Y(0), false, false);  // inside the pair's 16 pixels
    view.caret.LeftButtonUp();
    EXPECT_NE(view.At(), DocPos::At(0, 2));
}

TEST(CaretMouseTest, TheHandShowsOverLinksAndTheBusyPointerWhileChecking) {
    CaretFixture view(kPathLine);
    view.caret.MouseMove(X(8), Y(0));
    EXPECT_EQ(view.caret.Cursor(), CursorShape::kHand);
    view.caret.MouseMove(X(1), Y(0));
    EXPECT_EQ(view.caret.Cursor(), CursorShape::kIBeam);
    view.caret.LeftButtonDown(X(8), Y(0), false, false);
    EXPECT_EQ(view.caret.Cursor(), CursorShape::kBusy);
    view.caret.FinishLinkActivation(view.host.requests.at(0), Result(15, u"C:\\dir\\file.txt"));
    EXPECT_EQ(view.caret.Cursor(), CursorShape::kIBeam);
}

TEST(CaretLinkTest, ASingleClickOpensAWholeLinkWithoutMovingTheCaret) {
    CaretFixture view(kPathLine);
    view.caret.SetCaret(DocPos::At(0, 1), false);
    EXPECT_FALSE(view.caret.LeftButtonDown(X(8), Y(0), false, false));
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
    ASSERT_EQ(view.host.requests.size(), 1u);
    EXPECT_EQ(view.host.requests[0].linkText, u"C:\\dir\\file.txt");
    EXPECT_EQ(view.host.requests[0].basePath, u"");
    view.caret.FinishLinkActivation(view.host.requests[0], Result(15, u"C:\\dir\\file.txt", u"found"));
    EXPECT_EQ(view.events.opened, (std::vector<std::u16string>{u"|C:\\dir\\file.txt"}));
    EXPECT_EQ(view.host.statuses, (std::vector<std::u16string>{u"", u"found"}));
    EXPECT_EQ(Missing(view.document, 0), std::string(kPathLine.size(), '.'));
}

TEST(CaretLinkTest, ASecondClickWhileTheCheckRunsStartsNothing) {
    CaretFixture view(kPathLine);
    view.caret.LeftButtonDown(X(8), Y(0), false, false);
    view.caret.LeftButtonDown(X(15), Y(0), false, true);
    EXPECT_EQ(view.host.requests.size(), 1u);
    EXPECT_TRUE(view.caret.LinkCheckRunning());
}

TEST(CaretLinkTest, CtrlClickOpensTheClickedComponent) {
    CaretFixture view(kPathLine);
    view.caret.LeftButtonDown(X(9), Y(0), false, true);
    ASSERT_EQ(view.host.requests.size(), 1u);
    EXPECT_EQ(view.host.requests[0].linkText, u"C:\\dir");
}

TEST(CaretLinkTest, APartlyBrokenPathIsMarkedFirstAndItsValidPartOpensLater) {
    CaretFixture view(kPathLine);
    view.caret.LeftButtonDown(X(14), Y(0), false, false);
    view.caret.FinishLinkActivation(view.host.requests.at(0), Result(7, u"C:\\dir\\"));
    EXPECT_TRUE(view.events.opened.empty());
    EXPECT_EQ(Missing(view.document, 0), "............mmmmmmmm.....");
    view.caret.LeftButtonDown(X(14), Y(0), false, false);  // on the missing part
    view.caret.FinishLinkActivation(view.host.requests.at(1), Result(7, u"C:\\dir\\"));
    EXPECT_TRUE(view.events.opened.empty());
    view.caret.LeftButtonDown(X(8), Y(0), false, false);  // on the existing part
    view.caret.FinishLinkActivation(view.host.requests.at(2), Result(7, u"C:\\dir\\"));
    EXPECT_EQ(view.events.opened, (std::vector<std::u16string>{u"|C:\\dir\\"}));
    view.caret.LeftButtonDown(X(8), Y(0), false, false);  // the file appeared meanwhile
    view.caret.FinishLinkActivation(view.host.requests.at(3), Result(15, u"C:\\dir\\file.txt"));
    EXPECT_EQ(Missing(view.document, 0), std::string(kPathLine.size(), '.'));
}

TEST(CaretLinkTest, AMissingLinkIsMarkedWholeAndNotOpened) {
    CaretFixture view(kPathLine);
    view.caret.LeftButtonDown(X(8), Y(0), false, false);
    view.caret.FinishLinkActivation(view.host.requests.at(0), Result(0, u"C:\\dir\\file.txt", u"missing"));
    EXPECT_TRUE(view.events.opened.empty());
    EXPECT_EQ(Missing(view.document, 0), ".....mmmmmmmmmmmmmmm.....");
    EXPECT_EQ(view.host.statuses.back(), u"missing");
}

TEST(CaretLinkTest, AResultForAnEditedLinkOnlyShowsItsStatus) {
    CaretFixture view(kPathLine);
    view.caret.LeftButtonDown(X(8), Y(0), false, false);
    view.caret.SetCaret(DocPos::At(0, 9), false);
    view.Type(u"x");
    view.caret.FinishLinkActivation(view.host.requests.at(0), Result(15, u"C:\\dir\\file.txt", u"found"));
    EXPECT_TRUE(view.events.opened.empty());
    EXPECT_EQ(view.host.statuses.back(), u"found");
    EXPECT_FALSE(view.caret.LinkCheckRunning());
}

TEST(CaretLinkTest, AfterASingleClickOpenedALinkTheDoubleClickSelectsNothing) {
    CaretFixture view(u"ab\n" + kPathLine);
    view.caret.SetCaret(DocPos::At(0, 2), false);
    view.caret.LeftButtonDown(X(8), Y(1), false, false);
    view.caret.DoubleClick(X(8), Y(1), false);
    EXPECT_EQ(view.At(), DocPos::At(0, 2));
    EXPECT_TRUE(view.caret.SelectionEmpty());
}

TEST(CaretLinkTest, WithoutSingleClickTheClickPlacesAndTheDoubleClickOpens) {
    CaretFixture view(kPathLine);
    view.caret.SetSingleClick(false);
    EXPECT_TRUE(view.caret.LeftButtonDown(X(8), Y(0), false, false));
    view.caret.LeftButtonUp();
    EXPECT_EQ(view.At(), DocPos::At(0, 8));
    EXPECT_TRUE(view.host.requests.empty());
    view.caret.DoubleClick(X(8), Y(0), false);
    EXPECT_EQ(view.host.requests.size(), 1u);
}

TEST(CaretLinkTest, CommandsAndTheLinkKindLookAtTheSelectionStart) {
    CaretFixture view(u"<http://x/y> " + kPathLine);
    view.caret.SetCaret(DocPos::At(0, 3), false);
    EXPECT_EQ(view.caret.LinkKindAtCaret(), LinkKind::kHttp);
    view.caret.SetCaret(DocPos::At(0, 12), false);
    EXPECT_EQ(view.caret.LinkKindAtCaret(), LinkKind::kNone);
    EXPECT_FALSE(view.caret.ActivateLinkAtSelection(LinkCommand::kOpen));
    view.caret.SetCaret(DocPos::At(0, 30), false);
    view.caret.SetCaret(DocPos::At(0, 22), true);
    EXPECT_EQ(view.caret.LinkKindAtCaret(), LinkKind::kFile);
    view.caret.SetReadOnly(true);
    EXPECT_TRUE(view.caret.ActivateLinkAtSelection(LinkCommand::kOpenLocation));
    ASSERT_EQ(view.host.requests.size(), 1u);
    EXPECT_EQ(view.host.requests[0].clicked, DocPos::At(0, 22));
    EXPECT_EQ(view.host.requests[0].linkText, u"C:\\dir");
    view.caret.SetCaret(DocPos::At(0, kEndOfText), false);
    EXPECT_EQ(view.caret.LinkKindAtCaret(), LinkKind::kNone);
}

TEST(CaretPathTest, CtrlRightSelectsAdjacentLinksInTurn) {
    CaretFixture view(u"<C:\\a><C:\\b>\nx\n<C:\\c>");
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kNextOnLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 0));
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kNextOnLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 6));
    EXPECT_EQ(view.At(), DocPos::At(0, 12));
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kNextOnLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(2, 0));
    EXPECT_FALSE(view.caret.SelectPath(PathSearch::kNextOnLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(2, 0));
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kPreviousOnLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 6));
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kPreviousOnLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 0));
    EXPECT_FALSE(view.caret.SelectPath(PathSearch::kPreviousOnLine));
}

TEST(CaretPathTest, CtrlDownAndUpSearchFromTheNextAndPreviousLine) {
    CaretFixture view(u"<C:\\a>\nx\n<C:\\c>");
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kNextLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(2, 0));
    EXPECT_FALSE(view.caret.SelectPath(PathSearch::kNextLine));
    EXPECT_TRUE(view.caret.SelectPath(PathSearch::kPreviousLine));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 0));
    EXPECT_EQ(view.At(), DocPos::At(0, 6));
    EXPECT_FALSE(view.caret.SelectPath(PathSearch::kPreviousLine));
}

}  // namespace
}  // namespace pathbook
