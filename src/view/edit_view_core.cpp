#include "view/edit_view_core.h"

#include <algorithm>

namespace pathbook {

EditViewCore::EditViewCore(Document& document, const Metrics& metrics, ViewHost& host)
    : document_(document), host_(host), layout_(document, metrics) {
    document_.AddListener(this);
}

EditViewCore::~EditViewCore() { document_.RemoveListener(this); }

void EditViewCore::KeepTopLine(LineIndex line) {
    line = std::min(line, layout_.Rows().LineCount() - 1);
    viewport_.topRow = layout_.Rows().FirstRow(line);
    viewport_ = ClampViewport(layout_, viewport_);
    host_.ScrollBarsChanged();
    InvalidateAll();
}

void EditViewCore::InvalidateAll() { host_.Invalidate(PixelRect{0, 0, layout_.ClientWidth(), layout_.ClientHeight()}); }

void EditViewCore::Apply(const Metrics& metrics, LayoutOptions options) {
    const LineIndex top = layout_.Rows().LineOfRow(viewport_.topRow).line;
    layout_.Configure(metrics, options);
    KeepTopLine(top);
}

void EditViewCore::SetOptions(LayoutOptions options) {
    const LineIndex top = layout_.Rows().LineOfRow(viewport_.topRow).line;
    layout_.SetOptions(options);
    KeepTopLine(top);
}

void EditViewCore::Resize(std::int32_t width, std::int32_t height) {
    const LineIndex top = layout_.Rows().LineOfRow(viewport_.topRow).line;
    if (layout_.Resize(width, height)) {
        KeepTopLine(top);
        return;
    }
    viewport_ = ClampViewport(layout_, viewport_);
    host_.ScrollBarsChanged();
    InvalidateAll();
}

EditViewCore::Move EditViewCore::ScrollTo(Viewport viewport) {
    viewport = ClampViewport(layout_, viewport);
    Move move;
    move.dx = viewport_.left - viewport.left;
    move.dy = (static_cast<std::int64_t>(viewport_.topRow) - static_cast<std::int64_t>(viewport.topRow)) *
              layout_.Measures().LineHeight();
    viewport_ = viewport;
    if (move.dx != 0 || move.dy != 0) host_.ScrollBarsChanged();
    return move;
}

void EditViewCore::Paint(const PixelRect& update, const ViewSettings& look, DocPos selectionFrom, DocPos selectionTo,
                         Canvas& canvas) const {
    PaintRequest request;
    request.update = update;
    request.viewport = viewport_;
    request.showEndMark = look.Flag(kShowEndMark);
    request.showTabMarks = look.Flag(kShowTabMarks);
    request.selectionFrom = selectionFrom;
    request.selectionTo = selectionTo;
    PaintRegion(layout_, request, canvas);
}

void EditViewCore::OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool) {
    const TopBeforeEdit before = CaptureTop(layout_, viewport_);
    const LayoutEdit edit = layout_.Update(start, oldEnd, newEnd);
    if (edit.marginChanged) {
        KeepTopLine(before.address.line);
        return;
    }
    const EditScroll scroll = FollowEdit(layout_, viewport_, before, start, oldEnd, newEnd);
    viewport_ = scroll.viewport;
    host_.ScrollBarsChanged();
    for (const PixelRect& rect : EditInvalidation(layout_, viewport_, scroll.mode, start.line, edit.lineCountChanged)) {
        host_.Invalidate(rect);
    }
}

void EditViewCore::OnKeywordChange() { InvalidateAll(); }

}  // namespace pathbook
