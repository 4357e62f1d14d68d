// The interfaces through which the view's input (edit_input.h) acts on its
// window and tells its owner what happened. The window layer implements
// CaretHost; the owner of the view may install CaretEvents.
#pragma once

#include <cstdint>
#include <string>

#include "view/canvas.h"
#include "view/link_activation.h"
#include "view/view_pos.h"

namespace pathbook {

// The mouse pointer over the view.
enum class CursorShape {
    kIBeam,
    kHand,  // over a link
    kBusy,  // a link's target is being checked in the background (arrow with hourglass)
};

// What the window layer does for the caret. Called on the UI thread only.
class CaretHost {
public:
    virtual ~CaretHost() = default;
    // Scrolls to `viewport`: EditViewCore::ScrollTo, then moves the window's pixels.
    virtual void ScrollTo(Viewport viewport) = 0;
    // Repaints `rect` (client pixels) later.
    virtual void Invalidate(const PixelRect& rect) = 0;
    // Moves the system caret and the composition window to the client point;
    // does nothing while the view has no system caret.
    virtual void PlaceSystemCaret(std::int32_t x, std::int32_t y) = 0;
    // Insert mode changed: recreate the system caret (Selection::SystemCaretWidth).
    virtual void CaretShapeChanged() = 0;
    // Shows `text` in the main window's status line (empty clears it).
    virtual void ShowStatus(const std::u16string& text) = 0;
    // Runs ResolveLinkRequest(request) off the UI thread and hands the result
    // back with LinkInput::Finish on the UI thread. Copy the request: it does
    // not outlive the call.
    virtual void StartLinkResolution(const LinkRequest& request) = 0;
    // MouseInput::Cursor() changed; show it unless the owner shows a busy pointer.
    virtual void CursorChanged() = 0;
};

// What the caret tells its owner. Every operation does nothing by default.
class CaretEvents {
public:
    virtual ~CaretEvents() = default;
    // After every change of the caret's position on the screen.
    virtual void OnCaretMove(const ViewPos& caret, const ViewPos& anchor) { (void)caret, (void)anchor; }
    // A link is to be opened: `linkText` resolved against `basePath` (empty when none).
    virtual void OnOpenLink(const std::u16string& basePath, const std::u16string& linkText) {
        (void)basePath, (void)linkText;
    }
};

}  // namespace pathbook
