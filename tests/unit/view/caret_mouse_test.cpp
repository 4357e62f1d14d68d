// Clicks, drags, double and right clicks, the pointer, and links opened from
// the mouse and the link commands. Points are client pixels of an 8 x 16 font.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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

// A press and release of the left button.
void Click(CaretFixture& view, std::int32_t x, std::int32_t y, bool shift = false) {
    view.input.mouse.LeftButtonDown(x, y, shift, false);
    view.input.mouse.LeftButtonUp();
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
    EXPECT_TRUE(view.input.mouse.LeftButtonDown(X(3), Y(1), false, false));
    view.input.mouse.LeftButtonUp();
    EXPECT_EQ(view.Selected(), "1:3");
    Click(view, X(1), Y(0), true);
    EXPECT_EQ(view.Selected(), "1:3>0:1");
}

TEST(CaretMouseTest, DraggingExtendsAndTheTimerScrollsOutsideTheText) {
    CaretFixture view(test::ShortLines(40));
    EXPECT_TRUE(view.input.mouse.LeftButtonDown(X(1), Y(1), false, false));
    view.input.mouse.MouseMove(X(3), Y(4));
    EXPECT_EQ(view.At(), DocPos::At(4, 3));
    view.input.mouse.MouseMove(X(3), 200);  // below the window: only the timer extends
    EXPECT_EQ(view.At(), DocPos::At(4, 3));
    view.input.mouse.DragTick();
    EXPECT_GT(view.At().line, 9u);
    EXPECT_GT(view.core.CurrentViewport().topRow, 0u);
    view.input.mouse.LeftButtonUp();
    EXPECT_FALSE(view.input.mouse.Dragging());
    const DocPos after = view.At();
    view.input.mouse.DragTick();
    view.input.mouse.MouseMove(X(0), Y(0));
    EXPECT_EQ(view.At(), after);
    EXPECT_EQ(view.AnchorAt(), DocPos::At(1, 1));
}

TEST(CaretMouseTest, AMarginClickSelectsWholeLinesAndNeverOpensALink) {
    CaretFixture view(kPathLine + u"\nb\nc", LayoutOptions{kNoWrap, true});
    const std::int32_t left = view.core.CurrentLayout().TextLeft();
    ASSERT_GT(left, 16);
    view.input.mouse.MouseMove(2, Y(0));
    EXPECT_EQ(view.input.mouse.Cursor(), CursorShape::kIBeam);
    EXPECT_TRUE(view.input.mouse.LeftButtonDown(2, Y(0), false, false));
    EXPECT_TRUE(view.host.requests.empty());
    EXPECT_EQ(view.Selected(), "0:0>1:0");
    view.input.mouse.DragTick();  // the margin lies outside the text: the timer extends by lines
    view.input.mouse.MouseMove(2, Y(1));
    view.input.mouse.DragTick();
    EXPECT_EQ(view.At(), DocPos::At(2, 0));
    view.input.mouse.LeftButtonUp();
    view.input.mouse.DoubleClick(2, Y(0), false);
    EXPECT_EQ(view.At(), DocPos::At(2, 0));
}

TEST(CaretMouseTest, DoubleClickSelectsTheTokenOrTheLineAtItsEnd) {
    CaretFixture view(u"alpha beta\nxy");
    Click(view, X(7), Y(0));
    view.input.mouse.DoubleClick(X(7), Y(0), false);
    EXPECT_EQ(view.Selected(), "0:6>0:10");
    Click(view, X(30), Y(1));
    view.input.mouse.DoubleClick(X(30), Y(1), false);
    EXPECT_EQ(view.Selected(), "1:0>1:2");
}

TEST(CaretMouseTest, RightClickKeepsASelectionItFallsIn) {
    CaretFixture view(u"alpha beta");
    view.Select(DocPos::At(0, 2), DocPos::At(0, 6));
    view.input.mouse.RightButtonDown(X(6), Y(0));
    EXPECT_EQ(view.AnchorAt(), DocPos::At(0, 2));
    view.input.mouse.RightButtonDown(X(8), Y(0));
    EXPECT_EQ(view.Selected(), "0:8");
}

TEST(CaretMouseTest, HitTestingNeverSplitsAPair) {
    CaretFixture view(u"a\U0001F600b");
    view.measurer.SetPairWidth(16);
    Click(view, X(2), Y(0));  // inside the pair's 16 pixels
    EXPECT_NE(view.At(), DocPos::At(0, 2));
}

TEST(CaretMouseTest, TheHandShowsOverLinksAndTheBusyPointerWhileChecking) {
    CaretFixture view(kPathLine);
    view.input.mouse.MouseMove(X(8), Y(0));
    EXPECT_EQ(view.input.mouse.Cursor(), CursorShape::kHand);
    view.input.mouse.MouseMove(X(1), Y(0));
    EXPECT_EQ(view.input.mouse.Cursor(), CursorShape::kIBeam);
    view.input.mouse.LeftButtonDown(X(8), Y(0), false, false);
    EXPECT_EQ(view.input.mouse.Cursor(), CursorShape::kBusy);
    view.input.links.Finish(view.host.requests.at(0), Result(15, u"C:\\dir\\file.txt"));
    EXPECT_EQ(view.input.mouse.Cursor(), CursorShape::kIBeam);
}

TEST(CaretLinkTest, ASingleClickOpensAWholeLinkWithoutMovingTheCaret) {
    CaretFixture view(kPathLine);
    view.input.selection.SetCaret(DocPos::At(0, 1), false);
    EXPECT_FALSE(view.input.mouse.LeftButtonDown(X(8), Y(0), false, false));
    EXPECT_EQ(view.At(), DocPos::At(0, 1));
    ASSERT_EQ(view.host.requests.size(), 1u);
    EXPECT_EQ(view.host.requests[0].linkText, u"C:\\dir\\file.txt");
    EXPECT_EQ(view.host.requests[0].basePath, u"");
    view.input.links.Finish(view.host.requests[0], Result(15, u"C:\\dir\\file.txt", u"found"));
    EXPECT_EQ(view.events.opened, (std::vector<std::u16string>{u"|C:\\dir\\file.txt"}));
    EXPECT_EQ(view.host.statuses, (std::vector<std::u16string>{u"", u"found"}));
    EXPECT_EQ(Missing(view.document, 0), std::string(kPathLine.size(), '.'));
}

TEST(CaretLinkTest, CtrlClickOpensTheClickedComponentAndASecondClickWhileTheCheckRunsNothing) {
    CaretFixture view(kPathLine);
    view.input.mouse.LeftButtonDown(X(9), Y(0), false, true);
    ASSERT_EQ(view.host.requests.size(), 1u);
    EXPECT_EQ(view.host.requests[0].linkText, u"C:\\dir");
    view.input.mouse.LeftButtonDown(X(15), Y(0), false, false);
    EXPECT_EQ(view.host.requests.size(), 1u);
    EXPECT_TRUE(view.input.links.Busy());
}

TEST(CaretLinkTest, APartlyBrokenPathIsMarkedFirstAndItsValidPartOpensLater) {
    CaretFixture view(kPathLine);
    view.input.mouse.LeftButtonDown(X(14), Y(0), false, false);
    view.input.links.Finish(view.host.requests.at(0), Result(7, u"C:\\dir\\"));
    EXPECT_TRUE(view.events.opened.empty());
    EXPECT_EQ(Missing(view.document, 0), "............mmmmmmmm.....");
    view.input.mouse.LeftButtonDown(X(14), Y(0), false, false);  // on the missing part
    view.input.links.Finish(view.host.requests.at(1), Result(7, u"C:\\dir\\"));
    EXPECT_TRUE(view.events.opened.empty());
    view.input.mouse.LeftButtonDown(X(8), Y(0), false, false);  // on the existing part
    view.input.links.Finish(view.host.requests.at(2), Result(7, u"C:\\dir\\"));
    EXPECT_EQ(view.events.opened, (std::vector<std::u16string>{u"|C:\\dir\\"}));
    view.input.mouse.LeftButtonDown(X(8), Y(0), false, false);  // the file appeared meanwhile
    view.input.links.Finish(view.host.requests.at(3), Result(15, u"C:\\dir\\file.txt"));
    EXPECT_EQ(Missing(view.document, 0), std::string(kPathLine.size(), '.'));
}

TEST(CaretLinkTest, AMissingLinkIsMarkedWholeAndNotOpened) {
    CaretFixture view(kPathLine);
    view.input.mouse.LeftButtonDown(X(8), Y(0), false, false);
    view.input.links.Finish(view.host.requests.at(0), Result(0, u"C:\\dir\\file.txt", u"missing"));
    EXPECT_TRUE(view.events.opened.empty());
    EXPECT_EQ(Missing(view.document, 0), ".....mmmmmmmmmmmmmmm.....");
    EXPECT_EQ(view.host.statuses.back(), u"missing");
}

TEST(CaretLinkTest, AResultForAnEditedLinkOnlyShowsItsStatus) {
    CaretFixture view(kPathLine);
    view.input.mouse.LeftButtonDown(X(8), Y(0), false, false);
    view.input.selection.SetCaret(DocPos::At(0, 9), false);
    view.Type(u"x");
    view.input.links.Finish(view.host.requests.at(0), Result(15, u"C:\\dir\\file.txt", u"found"));
    EXPECT_TRUE(view.events.opened.empty());
    EXPECT_EQ(view.host.statuses.back(), u"found");
    EXPECT_FALSE(view.input.links.Busy());
}

TEST(CaretLinkTest, AfterASingleClickOpenedALinkTheDoubleClickSelectsNothing) {
    CaretFixture view(u"ab\n" + kPathLine);
    view.input.selection.SetCaret(DocPos::At(0, 2), false);
    view.input.mouse.LeftButtonDown(X(8), Y(1), false, false);
    view.input.mouse.DoubleClick(X(8), Y(1), false);
    EXPECT_EQ(view.Selected(), "0:2");
}

TEST(CaretLinkTest, WithoutSingleClickTheClickPlacesAndTheDoubleClickOpens) {
    CaretFixture view(kPathLine);
    view.input.links.SetSingleClick(false);
    EXPECT_TRUE(view.input.mouse.LeftButtonDown(X(8), Y(0), false, false));
    view.input.mouse.LeftButtonUp();
    EXPECT_EQ(view.At(), DocPos::At(0, 8));
    EXPECT_TRUE(view.host.requests.empty());
    view.input.mouse.DoubleClick(X(8), Y(0), false);
    EXPECT_EQ(view.host.requests.size(), 1u);
}

TEST(CaretLinkTest, CommandsAndTheLinkKindLookAtTheSelectionStart) {
    CaretFixture view(u"<http://x/y> " + kPathLine);
    view.input.selection.SetCaret(DocPos::At(0, 3), false);
    EXPECT_EQ(view.input.links.KindAtCaret(), LinkKind::kHttp);
    view.input.selection.SetCaret(DocPos::At(0, 12), false);
    EXPECT_EQ(view.input.links.KindAtCaret(), LinkKind::kNone);
    EXPECT_FALSE(view.input.links.ActivateAtSelection(LinkCommand::kOpen));
    view.Select(DocPos::At(0, 30), DocPos::At(0, 22));
    EXPECT_EQ(view.input.links.KindAtCaret(), LinkKind::kFile);
    view.document.SetEditLock(true);
    EXPECT_TRUE(view.input.links.ActivateAtSelection(LinkCommand::kOpenLocation));
    ASSERT_EQ(view.host.requests.size(), 1u);
    EXPECT_EQ(view.host.requests[0].clicked, DocPos::At(0, 22));
    EXPECT_EQ(view.host.requests[0].linkText, u"C:\\dir");
    view.input.selection.SetCaret(DocPos::At(0, kEndOfText), false);
    EXPECT_EQ(view.input.links.KindAtCaret(), LinkKind::kNone);
}

// Each search in turn, whether it found a link and the selection then; a
// search that fails leaves the selection as it was.
TEST(CaretPathTest, PathSearchesSelectTheNextOrPreviousLinkInTurn) {
    using Find = std::tuple<PathSearch, bool, const char*>;
    const PathSearch right = PathSearch::kNextOnLine, left = PathSearch::kPreviousOnLine;
    const PathSearch down = PathSearch::kNextLine, up = PathSearch::kPreviousLine;
    const std::pair<std::u16string, std::vector<Find>> walks[] = {
        {u"<C:\\a><C:\\b>\nx\n<C:\\c>",
         {{right, true, "0:0>0:6"}, {right, true, "0:6>0:12"}, {right, true, "2:0>2:6"}, {right, false, "2:0>2:6"},
          {left, true, "0:6>0:12"}, {left, true, "0:0>0:6"}, {left, false, "0:0>0:6"}}},
        {u"<C:\\a>\nx\n<C:\\c>",
         {{down, true, "2:0>2:6"}, {down, false, "2:0>2:6"}, {up, true, "0:0>0:6"}, {up, false, "0:0>0:6"}}},
    };
    for (const auto& [text, finds] : walks) {
        CaretFixture view(text);
        int step = 0;
        for (const auto& [search, found, selected] : finds) {
            EXPECT_EQ(view.input.links.SelectPath(search), found) << "step " << step;
            EXPECT_EQ(view.Selected(), selected) << "step " << step++;
        }
    }
}

}  // namespace
}  // namespace pathbook
