// Scroll arithmetic: ranges, the scroll bar requests, the wheel, keeping a
// position in view and following an edit. Vertical positions are display rows,
// horizontal ones pixels, both 64-bit; only ScrollBarState, which is what the
// window layer hands to its scroll bars, is 32-bit, scaled down when a range
// does not fit. Tested by scrolling_test.cpp.
#pragma once

#include <cstdint>

#include "view/layout.h"
#include "view/view_pos.h"

namespace pathbook {

// Rows in a page: whole rows of the client height, plus the partly shown one.
RowIndex PageRows(const Layout& layout);
// The last row can be scrolled up to the top of the window.
RowIndex MaxTopRow(const Layout& layout);
// The text area's width: client width minus the margin.
Pixels TextWidth(const Layout& layout);
// The widest line (or the wrap width) plus 3 pixels can be scrolled into view.
Pixels MaxLeft(const Layout& layout);
// Both positions clamped to their ranges.
Viewport ClampViewport(const Layout& layout, Viewport viewport);

// One scroll bar as the system takes it: range 0..max, page, position.
struct ScrollBarState {
    std::int32_t max = 0;
    std::uint32_t page = 0;
    std::int32_t pos = 0;

    friend bool operator==(const ScrollBarState& a, const ScrollBarState& b) {
        return a.max == b.max && a.page == b.page && a.pos == b.pos;
    }
    friend bool operator!=(const ScrollBarState& a, const ScrollBarState& b) { return !(a == b); }
};
// Wrapping at the window's edge nothing can scroll sideways: the view shows no
// horizontal bar then (the vertical one is always shown, greyed when it cannot scroll).
bool ShowsHorizontalBar(const Layout& layout);
ScrollBarState VerticalBar(const Layout& layout, RowIndex topRow);
ScrollBarState HorizontalBar(const Layout& layout, Pixels left);
// The top row for a thumb tracked to `track` (32-bit, scaled back up; the
// thumb's end reaches the last row).
RowIndex TopRowFromTrack(const Layout& layout, std::int32_t track);
Pixels LeftFromTrack(const Layout& layout, std::int32_t track);

// The 64-bit range 0..max with `page` and `pos` brought into a scroll bar's
// 31 bits, all divided by one factor when max does not fit.
ScrollBarState ScaleToBar(std::uint64_t max, std::uint64_t page, std::uint64_t pos);
// The position (at most `last`) for a thumb tracked to `track` on that bar;
// the thumb's last place gives `last` exactly.
std::uint64_t PositionFromTrack(std::uint64_t max, std::uint64_t page, std::uint64_t last, std::int32_t track);

enum class ScrollRequest { kLineBack, kLineForward, kPageBack, kPageForward, kStart, kEnd, kTrack };
// Where a scroll bar request moves the view (`track` only for kTrack).
RowIndex VerticalTarget(const Layout& layout, RowIndex topRow, ScrollRequest request, std::int32_t track);
Pixels HorizontalTarget(const Layout& layout, Pixels left, ScrollRequest request, std::int32_t track);

// Turns wheel deltas into rows: 3 rows per notch of 120, with the remainder of
// smaller (touchpad) deltas kept for the next one instead of dropped.
class WheelAccumulator {
public:
    // Rows to scroll, positive downwards, for a wheel delta (positive: away from the user).
    std::int64_t Add(std::int32_t delta);

private:
    std::int64_t pending_ = 0;  // delta not yet turned into rows; |pending_| < 40
};

// The smallest scroll that shows `pos`: at least one "x" stays free at the
// right edge, and a row below the window becomes the last fully visible row.
Viewport ScrollToShow(const Layout& layout, Viewport viewport, const ViewPos& pos);

// What part of the window an edit makes stale.
enum class RepaintMode {
    kMargin = 0,     // lines changed wholly above the window: only the numbers move
    kLine = 1,       // the edit stayed within its line's rows
    kBelow = 2,      // the edited line and everything below it
    kEverything = 3  // the scroll position or range moved
};

// The view's first row before an edit, taken before the layout follows it.
struct TopBeforeEdit {
    RowAddress address;
    RowIndex totalRows = 0;
};
TopBeforeEdit CaptureTop(const Layout& layout, Viewport viewport);

struct EditScroll {
    Viewport viewport;
    RepaintMode mode = RepaintMode::kLine;
};
// After the layout followed the edit (start, oldEnd -> newEnd): the first
// visible row stays on the same text where it can.
EditScroll FollowEdit(const Layout& layout, Viewport viewport, TopBeforeEdit before, DocPos start, DocPos oldEnd,
                      DocPos newEnd);

}  // namespace pathbook
