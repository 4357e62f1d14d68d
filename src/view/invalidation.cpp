#include "view/invalidation.h"

#include <algorithm>

namespace pathbook {
namespace {

// Room right of a caret that its repaint covers.
constexpr std::int32_t kCaretSlack = 2;

void AddClipped(const Layout& layout, PixelRect rect, std::vector<PixelRect>& out) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, layout.ClientWidth());
    rect.bottom = std::min(rect.bottom, layout.ClientHeight());
    if (!rect.Empty()) out.push_back(rect);
}

std::int32_t Below(std::int32_t y, std::int32_t height) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{y} + height, INT32_MAX));
}

}  // namespace

std::vector<PixelRect> EditInvalidation(const Layout& layout, Viewport viewport, RepaintMode mode, LineIndex line,
                                        bool lineCountChanged) {
    std::vector<PixelRect> rects;
    const PixelRect all{0, 0, layout.ClientWidth(), layout.ClientHeight()};
    const PixelRect strip{0, 0, layout.TextLeft(), layout.ClientHeight()};
    line = std::min(line, layout.Rows().LineCount() - 1);
    const RowIndex first = layout.Rows().FirstRow(line);
    const RowIndex end = first + layout.Rows().RowCount(line);
    const std::int32_t top = RowTop(layout, viewport, first);
    switch (mode) {
        case RepaintMode::kEverything: AddClipped(layout, all, rects); return rects;
        case RepaintMode::kMargin: break;
        case RepaintMode::kLine:
            if (end > viewport.topRow) {
                AddClipped(layout, PixelRect{layout.TextLeft(), top, all.right, RowTop(layout, viewport, end)}, rects);
            }
            break;
        case RepaintMode::kBelow:
            if (first < viewport.topRow) {
                AddClipped(layout, all, rects);
                return rects;
            }
            AddClipped(layout, PixelRect{0, top, all.right, all.bottom}, rects);
            break;
    }
    if (mode == RepaintMode::kMargin || lineCountChanged) AddClipped(layout, strip, rects);
    return rects;
}

std::vector<PixelRect> CaretInvalidation(const Layout& layout, Viewport viewport, const ViewPos& a, const ViewPos& b) {
    const ViewPos& p = b < a ? b : a;
    const ViewPos& q = b < a ? a : b;
    const std::int32_t height = layout.Measures().LineHeight();
    const std::int32_t width = layout.ClientWidth();
    const std::int32_t py = RowTop(layout, viewport, p.absRow);
    const std::int32_t qy = RowTop(layout, viewport, q.absRow);
    const std::int32_t qx = std::min(ClientX(layout, viewport, q.x + kCaretSlack), width);
    std::vector<PixelRect> rects;
    if (p.absRow == q.absRow) {
        AddClipped(layout, PixelRect{layout.TextLeft(), py, qx, Below(py, height)}, rects);
        return rects;
    }
    const std::int32_t px = std::max(ClientX(layout, viewport, p.x), layout.TextLeft());
    AddClipped(layout, PixelRect{px, py, width, Below(py, height)}, rects);
    AddClipped(layout, PixelRect{0, Below(py, height), width, qy}, rects);
    AddClipped(layout, PixelRect{layout.TextLeft(), qy, qx, Below(qy, height)}, rects);
    return rects;
}

}  // namespace pathbook
