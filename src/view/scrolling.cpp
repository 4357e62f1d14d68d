#include "view/scrolling.h"

#include <algorithm>

namespace pathbook {
namespace {

constexpr std::uint64_t kBarLimit = 0x7FFFFFFF;
constexpr std::int64_t kRowsPerNotch = 3;
constexpr std::int64_t kNotch = 120;
constexpr Pixels kRightSlack = 3;

// The factor that brings `max` into a scroll bar's 31 bits.
std::uint64_t BarScale(std::uint64_t max) { return max <= kBarLimit ? 1 : max / kBarLimit + 1; }

RowIndex VerticalMax(const Layout& layout) { return layout.Rows().TotalRows() + PageRows(layout) - 2; }

std::uint64_t HorizontalMax(const Layout& layout) {
    return static_cast<std::uint64_t>(MaxLeft(layout) + TextWidth(layout));
}

RowIndex MoveBy(RowIndex from, std::int64_t delta, RowIndex last) {
    if (delta < 0) {
        const RowIndex back = static_cast<RowIndex>(-(delta + 1)) + 1;
        return back > from ? 0 : from - back;
    }
    return std::min(last, from + std::min<RowIndex>(static_cast<RowIndex>(delta), last));
}

}  // namespace

ScrollBarState ScaleToBar(std::uint64_t max, std::uint64_t page, std::uint64_t pos) {
    const std::uint64_t scale = BarScale(max);
    ScrollBarState bar;
    bar.max = static_cast<std::int32_t>(max / scale);
    bar.page = static_cast<std::uint32_t>(std::max<std::uint64_t>(page / scale, 1));
    bar.pos = static_cast<std::int32_t>(pos / scale);
    return bar;
}

std::uint64_t PositionFromTrack(std::uint64_t max, std::uint64_t page, std::uint64_t last, std::int32_t track) {
    if (track <= 0) return 0;
    const std::uint64_t scale = BarScale(max);
    const ScrollBarState bar = ScaleToBar(max, page, 0);
    const std::uint64_t lastTrack = static_cast<std::uint64_t>(bar.max) + 1 - std::min<std::uint64_t>(bar.page, bar.max + 1ull);
    if (static_cast<std::uint64_t>(track) >= lastTrack) return last;
    return std::min(static_cast<std::uint64_t>(track) * scale, last);
}

RowIndex PageRows(const Layout& layout) {
    return static_cast<RowIndex>(layout.ClientHeight() / layout.Measures().LineHeight()) + 1;
}

RowIndex MaxTopRow(const Layout& layout) { return layout.Rows().TotalRows() - 1; }

Pixels TextWidth(const Layout& layout) { return std::max<Pixels>(layout.ClientWidth() - layout.TextLeft(), 0); }

Pixels MaxLeft(const Layout& layout) {
    return std::max<Pixels>(layout.MaxWidth() + kRightSlack - TextWidth(layout), 0);
}

Viewport ClampViewport(const Layout& layout, Viewport viewport) {
    viewport.topRow = std::min(viewport.topRow, MaxTopRow(layout));
    viewport.left = std::clamp<Pixels>(viewport.left, 0, MaxLeft(layout));
    return viewport;
}

bool ShowsHorizontalBar(const Layout& layout) { return layout.Options().wrap != kWrapAtWindowEdge; }

ScrollBarState VerticalBar(const Layout& layout, RowIndex topRow) {
    return ScaleToBar(VerticalMax(layout), PageRows(layout), topRow);
}

ScrollBarState HorizontalBar(const Layout& layout, Pixels left) {
    return ScaleToBar(HorizontalMax(layout), static_cast<std::uint64_t>(TextWidth(layout)) + 1,
               static_cast<std::uint64_t>(std::max<Pixels>(left, 0)));
}

RowIndex TopRowFromTrack(const Layout& layout, std::int32_t track) {
    return PositionFromTrack(VerticalMax(layout), PageRows(layout), MaxTopRow(layout), track);
}

Pixels LeftFromTrack(const Layout& layout, std::int32_t track) {
    return static_cast<Pixels>(PositionFromTrack(HorizontalMax(layout), static_cast<std::uint64_t>(TextWidth(layout)) + 1,
                                         static_cast<std::uint64_t>(MaxLeft(layout)), track));
}

RowIndex VerticalTarget(const Layout& layout, RowIndex topRow, ScrollRequest request, std::int32_t track) {
    const RowIndex last = MaxTopRow(layout);
    const std::int64_t page = layout.ClientHeight() / layout.Measures().LineHeight();
    switch (request) {
        case ScrollRequest::kLineBack: return MoveBy(topRow, -1, last);
        case ScrollRequest::kLineForward: return MoveBy(topRow, 1, last);
        case ScrollRequest::kPageBack: return MoveBy(topRow, -page, last);
        case ScrollRequest::kPageForward: return MoveBy(topRow, page, last);
        case ScrollRequest::kStart: return 0;
        case ScrollRequest::kEnd: return last;
        case ScrollRequest::kTrack: return TopRowFromTrack(layout, track);
    }
    return topRow;
}

Pixels HorizontalTarget(const Layout& layout, Pixels left, ScrollRequest request, std::int32_t track) {
    const Pixels x = layout.Measures().XWidth();
    const Pixels half = TextWidth(layout) >> 1;
    Pixels target = left;
    switch (request) {
        case ScrollRequest::kLineBack: target = left - x; break;
        case ScrollRequest::kLineForward: target = left + x; break;
        case ScrollRequest::kPageBack: target = left - half; break;
        case ScrollRequest::kPageForward: target = left + half; break;
        case ScrollRequest::kStart: target = 0; break;
        case ScrollRequest::kEnd: target = MaxLeft(layout); break;
        case ScrollRequest::kTrack: target = LeftFromTrack(layout, track); break;
    }
    return std::clamp<Pixels>(target, 0, MaxLeft(layout));
}

std::int64_t WheelAccumulator::Add(std::int32_t delta) {
    // A turn back drops what was left over from the other direction.
    if ((delta < 0 && pending_ > 0) || (delta > 0 && pending_ < 0)) pending_ = 0;
    pending_ += delta;
    const std::int64_t rows = pending_ * kRowsPerNotch / kNotch;
    pending_ -= rows * kNotch / kRowsPerNotch;
    return -rows;
}

Viewport ScrollToShow(const Layout& layout, Viewport viewport, const ViewPos& pos) {
    const Pixels page = TextWidth(layout) + 1;
    const Pixels x = layout.Measures().XWidth();
    // A window without room for one "x" or one whole row (not yet sized, or
    // squeezed) starts at the position: the usual margins would scroll past it.
    if (pos.x < viewport.left || page <= x) {
        viewport.left = pos.x;
    } else if (pos.x >= page + viewport.left - x) {
        viewport.left = pos.x + x - page;
    }
    const RowIndex rows = PageRows(layout);
    if (pos.absRow < viewport.topRow || rows <= 1) {
        viewport.topRow = pos.absRow;
    } else if (pos.absRow + 1 >= rows + viewport.topRow) {
        viewport.topRow = pos.absRow + 2 - std::min<RowIndex>(rows, pos.absRow + 2);
    }
    return ClampViewport(layout, viewport);
}

TopBeforeEdit CaptureTop(const Layout& layout, Viewport viewport) {
    return TopBeforeEdit{layout.Rows().LineOfRow(viewport.topRow), layout.Rows().TotalRows()};
}

EditScroll FollowEdit(const Layout& layout, Viewport viewport, TopBeforeEdit before, DocPos start, DocPos oldEnd,
                      DocPos newEnd) {
    const RowTable& rows = layout.Rows();
    EditScroll result;
    result.viewport = viewport;
    result.mode = rows.TotalRows() == before.totalRows && newEnd.line == start.line ? RepaintMode::kLine
                                                                                   : RepaintMode::kBelow;
    const LineIndex topLine = before.address.line;
    if (topLine == start.line) {
        if (viewport.topRow >= rows.TotalRows()) {
            result.viewport.topRow = rows.TotalRows() - 1;
            result.mode = RepaintMode::kEverything;
        }
    } else if (topLine > start.line && oldEnd.line >= topLine) {
        result.viewport.topRow = rows.FirstRow(newEnd.line);
        result.mode = RepaintMode::kEverything;
    } else if (topLine > oldEnd.line) {
        // The change lay wholly above the window: the same text stays on top.
        result.viewport.topRow = rows.FirstRow(topLine - oldEnd.line + newEnd.line) + before.address.row;
        // Unless rows came or went, not even the numbers move.
        if (result.mode != RepaintMode::kLine) result.mode = RepaintMode::kMargin;
    }
    const Viewport clamped = ClampViewport(layout, result.viewport);
    if (clamped.left != result.viewport.left) result.mode = RepaintMode::kEverything;
    result.viewport = clamped;
    return result;
}

}  // namespace pathbook
