// What the mouse does in the view, in client pixels: clicks place the caret
// (in the line-number margin they select whole lines), drags extend the
// selection with auto-scroll, a double click selects a word, and a click (or,
// with single-click links off, a double click) on a link opens it. Tested by
// caret_mouse_test.cpp.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "view/caret_host.h"
#include "view/link_input.h"
#include "view/selection.h"

namespace pathbook {

class MouseInput {
public:
    MouseInput(Document& document, Selection& selection, LinkInput& links, CaretHost& host)
        : document_(document), selection_(selection), links_(links), host_(host) {}

    // True when a drag began (capture the mouse and start the auto-scroll
    // timer, interval from the keyboard speed); it ends with LeftButtonUp.
    bool LeftButtonDown(std::int32_t x, std::int32_t y, bool shift, bool ctrl);
    void MouseMove(std::int32_t x, std::int32_t y);
    void LeftButtonUp();
    // The auto-scroll timer: extends towards the last point while it lies outside the text.
    void DragTick();
    bool Dragging() const { return dragging_; }
    void DoubleClick(std::int32_t x, std::int32_t y, bool ctrl);
    // Moves the caret there unless the point lies inside the selection.
    void RightButtonDown(std::int32_t x, std::int32_t y);
    // The pointer to show over the view: busy while a link is being checked.
    CursorShape Cursor() const;

private:
    bool InMargin(std::int32_t x) const;
    bool LeftOfSeparator(std::int32_t x) const;
    bool InsideTextRect(std::int32_t x, std::int32_t y) const;
    bool LinkAtPoint(std::int32_t x, std::int32_t y, DocPos& pos) const;
    void ExtendToPoint(std::int32_t x, std::int32_t y);

    Document& document_;
    Selection& selection_;
    LinkInput& links_;
    CaretHost& host_;
    bool dragging_ = false;
    bool marginDrag_ = false;
    bool downOpenedLink_ = false;  // the last left button down activated a link
    std::int32_t lastX_ = 0;
    std::int32_t lastY_ = 0;
    CursorShape hoverShape_ = CursorShape::kIBeam;
};

}  // namespace pathbook
