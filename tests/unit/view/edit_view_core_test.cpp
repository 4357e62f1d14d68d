// The view core as the window layer sees it: what each edit, resize and
// scroll invalidates, and where the first visible row goes.
#include <gtest/gtest.h>

#include "view/caret_fixture.h"
#include "view/edit_view_core.h"
#include "view_fixture.h"

namespace pathbook {
namespace {

using test::FakeMeasurer;
using test::Lines;

struct CoreFixture {
    explicit CoreFixture(const std::u16string& text) : metrics(measurer, 4), core(document, metrics, host) {
        Insert(DocPos::At(0, 0), text);
        core.Resize(400, 160);  // 10 rows of 16 pixels
        core.SetOptions(LayoutOptions{kNoWrap, true});
        host.Take();
    }
    void Insert(DocPos at, const std::u16string& text) { test::InsertAt(document, at, text); }
    void Delete(DocPos from, DocPos to) { test::DeleteRange(document, from, to); }
    Document document;
    FakeMeasurer measurer;
    Metrics metrics;
    test::RecordingCaretHost host;
    EditViewCore core;
};

const PixelRect kAll{0, 0, 400, 160};
const PixelRect kStrip{0, 0, 32, 160};

TEST(EditViewCoreTest, TypingInALineRepaintsThatLineOnly) {
    CoreFixture view(Lines(50));
    view.Insert(DocPos::At(2, 1), u"x");
    EXPECT_EQ(view.host.Take(), (std::vector<PixelRect>{{32, 32, 400, 48}}));
}

TEST(EditViewCoreTest, NewLinesRepaintFromTheEditDownWithTheMargin) {
    CoreFixture view(Lines(50));
    view.Insert(DocPos::At(2, 1), u"\n");
    EXPECT_EQ(view.host.Take(), (std::vector<PixelRect>{{0, 32, 400, 160}, kStrip}));
}

TEST(EditViewCoreTest, EditsAboveTheWindowRepaintTheNumbersOnly) {
    CoreFixture view(Lines(50));
    view.core.ScrollTo(Viewport{20, 0});
    view.host.Take();
    view.Delete(DocPos::At(1, 0), DocPos::At(3, 0));
    EXPECT_EQ(view.core.CurrentViewport().topRow, 18u);
    EXPECT_EQ(view.host.Take(), (std::vector<PixelRect>{kStrip}));
    // Within a line above the window: nothing at all.
    view.Insert(DocPos::At(1, 0), u"x");
    EXPECT_TRUE(view.host.Take().empty());
    // Below the window: nothing either.
    view.Insert(DocPos::At(45, 0), u"x");
    EXPECT_TRUE(view.host.Take().empty());
}

TEST(EditViewCoreTest, AThousandthLineWidensTheMarginAndRepaintsEverything) {
    CoreFixture view(Lines(999));
    EXPECT_EQ(view.core.CurrentLayout().TextLeft(), 32);
    view.Insert(DocPos::At(998, 4), u"\n");
    EXPECT_EQ(view.core.CurrentLayout().TextLeft(), 40);
    EXPECT_EQ(view.host.Take(), (std::vector<PixelRect>{kAll}));
    view.Delete(DocPos::At(998, 4), DocPos::At(999, 0));
    EXPECT_EQ(view.core.CurrentLayout().TextLeft(), 32);
    EXPECT_EQ(view.host.Take(), (std::vector<PixelRect>{kAll}));
}

TEST(EditViewCoreTest, DeletingEverythingWhileScrolledShowsTheOnlyRow) {
    CoreFixture view(Lines(50));
    view.core.ScrollTo(Viewport{40, 0});
    view.Delete(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    EXPECT_EQ(view.core.CurrentViewport().topRow, 0u);
    EXPECT_EQ(view.host.Take().back(), kAll);
}

TEST(EditViewCoreTest, ScrollingReportsTheMoveInPixels) {
    CoreFixture view(Lines(50) + std::u16string(100, u'a'));
    EditViewCore::Move move = view.core.ScrollTo(Viewport{3, 10});
    EXPECT_EQ(move.dy, -48);
    EXPECT_EQ(move.dx, -10);
    move = view.core.ScrollTo(Viewport{1000, -5});
    EXPECT_EQ(view.core.CurrentViewport().topRow, 49u);
    EXPECT_EQ(view.core.CurrentViewport().left, 0);
    EXPECT_EQ(move.dy, -46 * 16);
}

TEST(EditViewCoreTest, AResizeThatBreaksNothingAgainKeepsTheTopRow) {
    CoreFixture view(std::u16string(300, u'a') + u"\nend");
    view.core.SetOptions(LayoutOptions{10, false});  // 30 rows of 10 letters
    view.core.ScrollTo(Viewport{7, 0});
    view.core.Resize(400, 100);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 7u) << "a new height alone";
    view.core.Resize(300, 100);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 7u) << "wrapping after 10 letters ignores the width";
    EXPECT_EQ(view.host.Take().back(), (PixelRect{0, 0, 300, 100}));
    view.core.SetOptions(LayoutOptions{kWrapAtWindowEdge, false});
    view.core.ScrollTo(Viewport{3, 0});
    view.core.Resize(200, 100);
    EXPECT_EQ(view.core.CurrentViewport().topRow, 0u) << "broken again: the first visible line keeps its index";
}

TEST(InvalidationTest, CaretMovesRepaintTheRowsBetween) {
    CoreFixture view(Lines(50));
    const Layout& layout = view.core.CurrentLayout();
    ViewPos a = DocToView(layout, DocPos::At(1, 1));
    ViewPos b = DocToView(layout, DocPos::At(1, 3));
    EXPECT_EQ(CaretInvalidation(layout, Viewport{}, b, a), (std::vector<PixelRect>{{32, 16, 32 + 24 + 2, 32}}));
    ViewPos c = DocToView(layout, DocPos::At(4, 2));
    EXPECT_EQ(CaretInvalidation(layout, Viewport{}, a, c),
              (std::vector<PixelRect>{{40, 16, 400, 32}, {0, 32, 400, 64}, {32, 64, 32 + 16 + 2, 80}}));
    // Rows outside the window are clipped away.
    ViewPos far = DocToView(layout, DocPos::At(40, 0));
    EXPECT_EQ(CaretInvalidation(layout, Viewport{}, c, far).size(), 2u);
}

}  // namespace
}  // namespace pathbook
