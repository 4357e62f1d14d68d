// Scroll ranges, bar requests, thumb scaling, the wheel, keeping a position in
// view and following edits.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "view/scrolling.h"
#include "view_fixture.h"

namespace pathbook {
namespace {

using test::Lines;
using test::ViewFixture;

TEST(ScrollingTest, TheLastRowCanReachTheTop) {
    ViewFixture view(Lines(10));
    view.layout.Resize(200, 16 * 20);
    EXPECT_EQ(PageRows(view.layout), 21u);
    EXPECT_EQ(MaxTopRow(view.layout), 9u);
    EXPECT_EQ(VerticalBar(view.layout, 0), (ScrollBarState{10 + 21 - 2, 21, 0}));
    EXPECT_EQ(VerticalTarget(view.layout, 0, ScrollRequest::kEnd, 0), 9u);
    EXPECT_EQ(VerticalTarget(view.layout, 5, ScrollRequest::kPageForward, 0), 9u);
    EXPECT_EQ(VerticalTarget(view.layout, 5, ScrollRequest::kPageBack, 0), 0u);
    EXPECT_EQ(VerticalTarget(view.layout, 5, ScrollRequest::kLineForward, 0), 6u);
    EXPECT_EQ(MaxTopRow(ViewFixture(u"x").layout), 0u) << "a single row";
}

TEST(ScrollingTest, WrappingAtTheEdgeShowsNoHorizontalBar) {
    ViewFixture view(std::u16string(100, u'a'));
    view.layout.Resize(200, 100);
    const std::int32_t wraps[] = {kNoWrap, 10, kWrapAtWindowEdge};
    const bool shown[] = {true, true, false};
    for (int i = 0; i < 3; ++i) {
        view.layout.SetOptions(LayoutOptions{wraps[i], false});
        EXPECT_EQ(ShowsHorizontalBar(view.layout), shown[i]) << wraps[i];
    }
    EXPECT_EQ(MaxLeft(view.layout), 0) << "at the edge nothing could scroll sideways anyway";
}

TEST(ScrollingTest, HorizontalRangeKeepsThreePixelsBeyondTheWidestLine) {
    ViewFixture view(std::u16string(100, u'a'));
    view.layout.Resize(200, 100);
    EXPECT_EQ(MaxLeft(view.layout), 800 + 3 - 200);
    EXPECT_EQ(HorizontalBar(view.layout, 10), (ScrollBarState{803, 201, 10}));
    EXPECT_EQ(HorizontalTarget(view.layout, 10, ScrollRequest::kLineBack, 0), 2);
    EXPECT_EQ(HorizontalTarget(view.layout, 10, ScrollRequest::kPageBack, 0), 0);
    EXPECT_EQ(HorizontalTarget(view.layout, 0, ScrollRequest::kEnd, 0), 603);
    EXPECT_EQ(HorizontalTarget(view.layout, 0, ScrollRequest::kTrack, 603), 603);
}

TEST(ScrollingTest, TheThumbReachesEveryPartOfRangesBeyondThirtyTwoBits) {
    const std::uint64_t rows = std::uint64_t{1} << 40;
    const std::uint64_t page = 50;
    const std::uint64_t max = rows + page - 2;
    const std::uint64_t last = rows - 1;
    ScrollBarState bar = ScaleToBar(max, page, last);
    EXPECT_GT(bar.max, 0x40000000);
    EXPECT_GE(bar.page, 1u);
    EXPECT_LE(bar.pos, bar.max);
    EXPECT_EQ(PositionFromTrack(max, page, last, bar.max - static_cast<std::int32_t>(bar.page) + 1), last);
    EXPECT_EQ(PositionFromTrack(max, page, last, 0), 0u);
    const std::uint64_t middle = PositionFromTrack(max, page, last, bar.max / 2);
    EXPECT_NEAR(static_cast<double>(middle), static_cast<double>(rows) / 2, 1024.0);
    // Small ranges are not scaled.
    EXPECT_EQ(ScaleToBar(70000, 20, 65535), (ScrollBarState{70000, 20, 65535}));
    EXPECT_EQ(PositionFromTrack(70000, 20, 69981, 65535), 65535u);
}

TEST(ScrollingTest, SmallWheelDeltasAccumulate) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.Add(120), -3);
    EXPECT_EQ(wheel.Add(-240), 6);
    std::int64_t rows = 0;
    for (int i = 0; i < 4; ++i) rows += wheel.Add(30);
    EXPECT_EQ(rows, -3);
    rows = 0;
    for (int i = 0; i < 12; ++i) rows += wheel.Add(-10);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(wheel.Add(20), 0);
    EXPECT_EQ(wheel.Add(-20), 0);  // a turn back drops the remainder
}

// Each position in turn and the viewport (top row, left) that shows it; a
// document is loaded into the view before the window has its size.
TEST(ScrollingTest, ShowingAPositionScrollsTheLeastNeeded) {
    using Shown = std::pair<DocPos, std::pair<RowIndex, Pixels>>;
    const std::tuple<std::u16string, std::int32_t, std::int32_t, std::vector<Shown>> walks[] = {
        {Lines(100) + std::u16string(200, u'a'), 200, 16 * 10,
         {{DocPos::At(20, 0), {20 + 2 - 11, 0}},
          {DocPos::At(5, 0), {5, 0}},
          {DocPos::At(99, 30), {99 + 2 - 11, 240 + 8 - 201}}}},
        {Lines(100), 0, 0, {{DocPos::At(0, 0), {0, 0}}, {DocPos::At(20, 3), {20, 24}}}},
    };
    for (const auto& [text, width, height, shown] : walks) {
        ViewFixture view(text);
        view.layout.Resize(width, height);
        Viewport viewport;
        for (const auto& [pos, expected] : shown) {
            viewport = ScrollToShow(view.layout, viewport, DocToView(view.layout, pos));
            EXPECT_EQ(std::make_pair(viewport.topRow, viewport.left), expected) << pos.line << ":" << pos.column;
        }
    }
}

TEST(ScrollingTest, EditsAboveTheWindowKeepTheVisibleTextInPlace) {
    ViewFixture view(Lines(100));
    view.layout.Resize(200, 160);
    Viewport viewport{50, 0};
    TopBeforeEdit before = CaptureTop(view.layout, viewport);
    view.Delete(DocPos::At(10, 0), DocPos::At(20, 0));
    EditScroll after = FollowEdit(view.layout, viewport, before, DocPos::At(10, 0), DocPos::At(20, 0), DocPos::At(10, 0));
    EXPECT_EQ(after.viewport.topRow, 40u);
    EXPECT_EQ(after.mode, RepaintMode::kMargin);
    before = CaptureTop(view.layout, after.viewport);
    view.Insert(DocPos::At(60, 1), u"x");
    after = FollowEdit(view.layout, after.viewport, before, DocPos::At(60, 1), DocPos::At(60, 1), DocPos::At(60, 2));
    EXPECT_EQ(after.viewport.topRow, 40u);
    EXPECT_EQ(after.mode, RepaintMode::kLine);
}

}  // namespace
}  // namespace pathbook
