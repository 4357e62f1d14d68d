// The caret and the selection anchor of one view: where they stand (document
// position, display row and x), moving them, following the document's edits,
// repainting what a move uncovers, keeping the caret in view and placing the
// system caret. The input controllers (key_input.h, mouse_input.h,
// link_input.h, ime_bridge.h) all act through this one model. It listens to
// the document after the EditViewCore, so the layout is current when it hears
// of a change. Tested by caret_keys_test.cpp and caret_mouse_test.cpp.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "view/caret_host.h"
#include "view/edit_view_core.h"

namespace pathbook {

class Selection : public DocListener {
public:
    // At (0, 0), insert mode.
    Selection(Document& document, EditViewCore& view, CaretHost& host);
    ~Selection() override;
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // The owner's sink (not owned; null restores the default, which does nothing).
    void SetEvents(CaretEvents* events);
    CaretEvents& Events() const { return *events_; }

    const ViewPos& Position() const { return caret_; }
    const ViewPos& Anchor() const { return anchor_; }
    bool Empty() const { return caret_.pos == anchor_.pos; }
    DocPos Start() const;
    DocPos End() const;

    // Moves the caret to `pos` (clamped); `extend` keeps the anchor. Repaints,
    // scrolls the caret into view, places the system caret and tells the sink.
    void SetCaret(DocPos pos, bool extend);
    void MoveTo(const ViewPos& pos, bool extend);
    void SelectAll();
    // Sets both ends without repainting, scrolling or telling anyone: for a
    // step that an edit or a Reveal follows at once. Takes copies, so the
    // current ends may be passed.
    void Place(ViewPos anchor, ViewPos caret);
    // Scrolls the caret into view, places the system caret and tells the sink.
    void Reveal();
    // After the layout changed without an edit (EditViewCore::Apply, SetOptions,
    // Resize) or the view scrolled: recomputes rows and x of both ends and
    // places the system caret again.
    void Relayout();
    // After the window's size changed: Relayout, then, when the caret is on
    // show (the view has the focus), the view scrolls to keep it visible.
    void FollowResize(bool caretShown);
    // Scrolls as little as shows the caret (ScrollToShow); nothing when it is in view.
    void ScrollCaretIntoView();

    // Repaints the selection, or the units [from, to) of `line`.
    void InvalidateSelection();
    void InvalidateLine(LineIndex line, Column from, Column to);

    // Insert mode (the default) or overwrite mode; a change recreates the system caret.
    bool InsertMode() const { return insertMode_; }
    void ToggleInsertMode();
    // The system caret: 2 pixels wide in insert mode, as wide as "x" in
    // overwrite mode, a row high; placed at SystemCaretPoint.
    std::int32_t SystemCaretWidth() const;
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };
    Point SystemCaretPoint() const;

    const Layout& CurrentLayout() const { return view_.CurrentLayout(); }
    Viewport CurrentViewport() const { return view_.CurrentViewport(); }
    ViewPos ToView(DocPos pos) const { return DocToView(CurrentLayout(), pos); }

    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) override;

private:
    void InvalidateBetween(const ViewPos& a, const ViewPos& b);
    void PlaceSystemCaret();

    Document& document_;
    EditViewCore& view_;
    CaretHost& host_;
    CaretEvents defaultEvents_;
    CaretEvents* events_ = &defaultEvents_;  // never null
    ViewPos caret_;
    ViewPos anchor_;
    bool insertMode_ = true;
};

}  // namespace pathbook
