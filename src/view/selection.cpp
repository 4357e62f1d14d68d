#include "view/selection.h"

#include <algorithm>

#include "view/invalidation.h"

namespace pathbook {

Selection::Selection(Document& document, EditViewCore& view, CaretHost& host)
    : document_(document), view_(view), host_(host) {
    caret_ = ToView(DocPos());
    anchor_ = caret_;
    document_.AddListener(this);
}

Selection::~Selection() { document_.RemoveListener(this); }

void Selection::SetEvents(CaretEvents* events) { events_ = events != nullptr ? events : &defaultEvents_; }

DocPos Selection::Start() const { return std::min(caret_.pos, anchor_.pos); }
DocPos Selection::End() const { return std::max(caret_.pos, anchor_.pos); }

void Selection::InvalidateBetween(const ViewPos& a, const ViewPos& b) {
    for (const PixelRect& rect : CaretInvalidation(CurrentLayout(), view_.CurrentViewport(), a, b)) {
        host_.Invalidate(rect);
    }
}

void Selection::InvalidateSelection() {
    if (!Empty()) InvalidateBetween(caret_, anchor_);
}

void Selection::InvalidateLine(LineIndex line, Column from, Column to) {
    InvalidateBetween(ToView(DocPos::At(line, from)), ToView(DocPos::At(line, to)));
}

void Selection::MoveTo(const ViewPos& pos, bool extend) {
    if (extend) {
        InvalidateBetween(caret_, pos);
    } else {
        InvalidateSelection();
        anchor_ = pos;
    }
    caret_ = pos;
    Reveal();
}

void Selection::SetCaret(DocPos pos, bool extend) { MoveTo(ToView(pos), extend); }

void Selection::SelectAll() {
    SetCaret(DocPos(), false);
    SetCaret(DocPos::At(kEndOfText, kEndOfText), true);
}

void Selection::Place(ViewPos anchor, ViewPos caret) {
    anchor_ = anchor;
    caret_ = caret;
}

void Selection::Reveal() {
    ScrollCaretIntoView();
    PlaceSystemCaret();
    events_->OnCaretMove(caret_, anchor_);
}

void Selection::Relayout() {
    caret_ = ToView(caret_.pos);
    anchor_ = ToView(anchor_.pos);
    PlaceSystemCaret();
}

void Selection::FollowResize(bool caretShown) {
    Relayout();
    if (!caretShown) return;
    ScrollCaretIntoView();
    PlaceSystemCaret();
}

void Selection::ScrollCaretIntoView() {
    const Viewport now = view_.CurrentViewport();
    const Viewport wanted = ScrollToShow(CurrentLayout(), now, caret_);
    if (wanted.topRow != now.topRow || wanted.left != now.left) host_.ScrollTo(wanted);
}

void Selection::PlaceSystemCaret() {
    const Point point = SystemCaretPoint();
    host_.PlaceSystemCaret(point.x, point.y);
}

void Selection::ToggleInsertMode() {
    insertMode_ = !insertMode_;
    host_.CaretShapeChanged();
}

std::int32_t Selection::SystemCaretWidth() const { return insertMode_ ? 2 : CurrentLayout().Measures().XWidth(); }

Selection::Point Selection::SystemCaretPoint() const {
    const Layout& layout = CurrentLayout();
    const Viewport viewport = view_.CurrentViewport();
    Point point;
    point.x = ClientX(layout, viewport, caret_.x);
    // A caret scrolled under the margin is hidden left of the window.
    if (point.x > 0 && point.x < layout.TextLeft()) point.x = -layout.TextLeft();
    point.y = RowTop(layout, viewport, caret_.absRow);
    return point;
}

void Selection::OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) {
    const bool wasSelection = start == Start() && oldEnd == End();
    if (!(byCommand && wasSelection)) InvalidateSelection();
    if (byCommand) {
        caret_ = ToView(newEnd);
        anchor_ = caret_;
        Reveal();
        return;
    }
    DocPos caret = caret_.pos;
    if (start < caret) {
        if (caret <= oldEnd) {
            caret = newEnd;
        } else if (caret.line == oldEnd.line) {
            caret = DocPos::At(newEnd.line, caret.column - oldEnd.column + newEnd.column);
        } else {
            caret.line = caret.line - oldEnd.line + newEnd.line;
        }
    }
    DocPos anchor = start < anchor_.pos ? caret : anchor_.pos;
    caret_ = ToView(caret);
    anchor_ = ToView(anchor);
    PlaceSystemCaret();
    events_->OnCaretMove(caret_, anchor_);
}

}  // namespace pathbook
