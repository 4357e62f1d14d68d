#include "view/mouse_input.h"

namespace pathbook {

bool MouseInput::InMargin(std::int32_t x) const { return x < selection_.CurrentLayout().TextLeft(); }

bool MouseInput::LeftOfSeparator(std::int32_t x) const {
    const Layout& layout = selection_.CurrentLayout();
    return x < layout.TextLeft() - layout.Measures().DigitWidth();
}

bool MouseInput::InsideTextRect(std::int32_t x, std::int32_t y) const {
    const Layout& layout = selection_.CurrentLayout();
    return x >= layout.TextLeft() && x < layout.ClientWidth() && y >= 0 && y < layout.ClientHeight();
}

bool MouseInput::LinkAtPoint(std::int32_t x, std::int32_t y, DocPos& pos) const {
    if (InMargin(x)) return false;
    const HitTest hit = PointToView(selection_.CurrentLayout(), selection_.CurrentViewport(), x, y, false);
    pos = hit.pos.pos;
    return hit.insideText && links_.OnLinkUnit(pos);
}

void MouseInput::ExtendToPoint(std::int32_t x, std::int32_t y) {
    selection_.MoveTo(PointToView(selection_.CurrentLayout(), selection_.CurrentViewport(), x, y, marginDrag_).pos,
                      true);
}

bool MouseInput::LeftButtonDown(std::int32_t x, std::int32_t y, bool shift, bool ctrl) {
    host_.ShowStatus(std::u16string());
    downOpenedLink_ = false;
    DocPos link;
    if (links_.SingleClick() && LinkAtPoint(x, y, link) && links_.Activate(link, LinkCommand::kOpen, ctrl)) {
        downOpenedLink_ = true;
        return false;
    }
    if (!shift) {
        selection_.InvalidateSelection();
        marginDrag_ = LeftOfSeparator(x);
        const ViewPos hit = PointToView(selection_.CurrentLayout(), selection_.CurrentViewport(), x, y, false).pos;
        const ViewPos anchor = marginDrag_ ? selection_.ToView(DocPos::At(hit.pos.line, 0)) : hit;
        selection_.Place(anchor, anchor);
    }
    lastX_ = x;
    lastY_ = y;
    ExtendToPoint(x, y);
    dragging_ = true;
    return true;
}

void MouseInput::MouseMove(std::int32_t x, std::int32_t y) {
    if (dragging_) {
        lastX_ = x;
        lastY_ = y;
        if (InsideTextRect(x, y)) ExtendToPoint(x, y);
    }
    DocPos link;
    const CursorShape shape = LinkAtPoint(x, y, link) ? CursorShape::kHand : CursorShape::kIBeam;
    if (shape == hoverShape_) return;
    hoverShape_ = shape;
    host_.CursorChanged();
}

void MouseInput::LeftButtonUp() {
    dragging_ = false;
    marginDrag_ = false;
}

void MouseInput::DragTick() {
    if (dragging_ && !InsideTextRect(lastX_, lastY_)) ExtendToPoint(lastX_, lastY_);
}

void MouseInput::DoubleClick(std::int32_t x, std::int32_t y, bool ctrl) {
    // The first click of this double click opened a link: the caret did not move there.
    if (downOpenedLink_) {
        downOpenedLink_ = false;
        return;
    }
    const Layout& layout = selection_.CurrentLayout();
    if (x <= layout.TextLeft() - layout.Measures().DigitWidth()) return;
    const DocPos caret = selection_.Position().pos;
    if (caret.column == document_.LineLength(caret.line)) {
        selection_.SetCaret(DocPos::At(caret.line, 0), false);
        return selection_.SetCaret(caret, true);
    }
    DocPos link;
    if (!links_.SingleClick() && LinkAtPoint(x, y, link) && links_.Activate(link, LinkCommand::kOpen, ctrl)) return;
    const DocPos start = document_.WordStartOf(caret);
    selection_.SetCaret(start, false);
    selection_.SetCaret(document_.RightOf(start, true), true);
}

void MouseInput::RightButtonDown(std::int32_t x, std::int32_t y) {
    const ViewPos hit = PointToView(selection_.CurrentLayout(), selection_.CurrentViewport(), x, y, false).pos;
    if (!selection_.Empty() && selection_.Start() <= hit.pos && hit.pos <= selection_.End()) return;
    selection_.MoveTo(hit, false);
}

CursorShape MouseInput::Cursor() const { return links_.Busy() ? CursorShape::kBusy : hoverShape_; }

}  // namespace pathbook
