// DocToView, PointToView and MoveRows on wrapped and unwrapped text.
#include <gtest/gtest.h>

#include <string>

#include "view/view_pos.h"
#include "view_fixture.h"

namespace pathbook {
namespace {

using test::ViewFixture;

// "line:column row absolute-row.row-in-line x pixels kept remembered-x".
std::string Where(const ViewPos& at) {
    using std::to_string;
    return to_string(at.pos.line) + ":" + to_string(at.pos.column) + " row " + to_string(at.absRow) + "." +
           to_string(at.rowInLine) + " x " + to_string(at.x) + " kept " + to_string(at.rememberedX);
}

TEST(PositionsTest, AColumnAtAWrapPointShowsAtTheEndOfTheUpperRow) {
    ViewFixture view(u"first\n" + std::u16string(30, u'a'));
    view.layout.SetOptions(LayoutOptions{10, false});
    EXPECT_EQ(Where(DocToView(view.layout, DocPos::At(1, 10))), "1:10 row 1.0 x 80 kept 80");
    EXPECT_EQ(Where(DocToView(view.layout, DocPos::At(1, 11))), "1:11 row 2.1 x 8 kept 8");
    EXPECT_EQ(Where(DocToView(view.layout, DocPos::At(9, 99))), "1:30 row 3.2 x 80 kept 80") << "clamped";
}

TEST(PositionsTest, HitTestingTakesAUnitUpToTwoPixelsLeftOfItsRightEdge) {
    ViewFixture view(u"abc");
    Viewport top;
    EXPECT_EQ(PointToView(view.layout, top, 15, 3, false).pos.pos, DocPos::At(0, 2));  // 1 px left of 16
    EXPECT_EQ(PointToView(view.layout, top, 14, 3, false).pos.pos, DocPos::At(0, 2));  // 2 px
    EXPECT_EQ(PointToView(view.layout, top, 13, 3, false).pos.pos, DocPos::At(0, 1));  // 3 px
    HitTest below = PointToView(view.layout, top, 0, 500, false);
    EXPECT_FALSE(below.insideText);
    EXPECT_EQ(below.pos.pos, DocPos::At(0, 0));
    HitTest above = PointToView(view.layout, top, 9999, -1, false);
    EXPECT_FALSE(above.insideText);
    EXPECT_EQ(above.pos.pos, DocPos::At(0, 3));
}

TEST(PositionsTest, AContinuationRowAlwaysTakesItsFirstUnit) {
    ViewFixture view(std::u16string(30, u'a'));
    view.layout.SetOptions(LayoutOptions{10, false});
    HitTest hit = PointToView(view.layout, Viewport{}, 0, 16, false);
    EXPECT_TRUE(hit.insideText);
    EXPECT_EQ(hit.pos.pos, DocPos::At(0, 11));
    EXPECT_EQ(hit.pos.rowInLine, 1u);
    // Moving into it starts after its first unit too.
    EXPECT_EQ(Where(MoveRows(view.layout, DocToView(view.layout, DocPos::At(0, 0)), 1)), "0:11 row 1.1 x 8 kept 0");
    // Scrolled one row down and 8 pixels right, with a margin.
    view.layout.Resize(400, 100);
    view.layout.SetOptions(LayoutOptions{10, true});
    hit = PointToView(view.layout, Viewport{1, 8}, 32 + 13, 0, false);
    EXPECT_EQ(hit.pos.pos, DocPos::At(0, 12));
}

TEST(PositionsTest, LineModeSelectsWholeLines) {
    ViewFixture view(u"one\ntwo\nthree");
    EXPECT_EQ(PointToView(view.layout, Viewport{}, 50, 0, true).pos.pos, DocPos::At(1, 0));
    EXPECT_EQ(PointToView(view.layout, Viewport{}, 0, 16, true).pos.pos, DocPos::At(2, 0));
    EXPECT_EQ(PointToView(view.layout, Viewport{}, 0, 32, true).pos.pos, DocPos::At(2, 5));
    EXPECT_EQ(PointToView(view.layout, Viewport{}, 0, 999, true).pos.pos, DocPos::At(2, 5));
    EXPECT_EQ(PointToView(view.layout, Viewport{1, 0}, 0, -20, true).pos.pos, DocPos::At(0, 0));
}

TEST(PositionsTest, MovingRowsKeepsTheRememberedX) {
    ViewFixture view(u"abcdefgh\nab\n\tx\nabcdefgh");
    ViewPos pos = DocToView(view.layout, DocPos::At(0, 6));
    EXPECT_EQ(Where(pos = MoveRows(view.layout, pos, 1)), "1:2 row 1.0 x 16 kept 48");
    EXPECT_EQ(Where(pos = MoveRows(view.layout, pos, 1)), "2:2 row 2.0 x 40 kept 48") << "the tab ends at 32, x at 40";
    EXPECT_EQ(Where(pos = MoveRows(view.layout, pos, 1)), "3:6 row 3.0 x 48 kept 48");
    EXPECT_EQ(Where(pos = MoveRows(view.layout, pos, 100)), "3:6 row 3.0 x 48 kept 48");
    EXPECT_EQ(Where(pos = MoveRows(view.layout, pos, INT64_MIN)), "0:6 row 0.0 x 48 kept 48");
    EXPECT_EQ(LastRowX(view.layout, 2), 40);
}

}  // namespace
}  // namespace pathbook
