// The portable half of the editor view: it listens to its document, keeps the
// layout and the scroll position in step with every change, and tells the
// window layer what to repaint. The window layer owns the device context, the
// Metrics built from it and the scroll bars; it forwards WM_SIZE, scroll
// requests and WM_PAINT here. Tested by edit_view_core_test.cpp.
#pragma once

#include "document/document.h"
#include "view/canvas.h"
#include "view/invalidation.h"
#include "view/layout.h"
#include "view/paint_plan.h"
#include "view/scrolling.h"

namespace pathbook {

// What the window layer does for the core.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    // Repaint `rect` (client pixels) later, without erasing.
    virtual void Invalidate(const PixelRect& rect) = 0;
    // The scroll ranges or positions changed: push VerticalBar and HorizontalBar.
    virtual void ScrollBarsChanged() = 0;
};

class EditViewCore : public DocListener {
public:
    // Registers with `document`, lays it out with `metrics` (both outlive the core).
    EditViewCore(Document& document, const Metrics& metrics, ViewHost& host);
    ~EditViewCore() override;
    EditViewCore(const EditViewCore&) = delete;
    EditViewCore& operator=(const EditViewCore&) = delete;

    const Layout& CurrentLayout() const { return layout_; }
    Viewport CurrentViewport() const { return viewport_; }

    // New fonts or measures, wrap value and line numbers: one layout. The
    // first visible line keeps its index; everything is repainted.
    void Apply(const Metrics& metrics, LayoutOptions options);
    // The wrap value or line numbers alone: the lines are broken again, not measured.
    void SetOptions(LayoutOptions options);
    // A new client size: when the lines were broken again the first visible
    // line keeps its index; otherwise the same row stays on top (clamped).
    void Resize(std::int32_t width, std::int32_t height);
    // Scrolls to `viewport` (clamped) and returns the move in pixels, for the
    // window layer to move the window's contents (or repaint it all).
    struct Move {
        std::int64_t dx = 0;
        std::int64_t dy = 0;
    };
    Move ScrollTo(Viewport viewport);

    // Paints `update` onto `canvas`; `look` gives the display switches.
    void Paint(const PixelRect& update, const ViewSettings& look, DocPos selectionFrom, DocPos selectionTo,
               Canvas& canvas) const;

    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) override;
    void OnKeywordChange() override;

private:
    void KeepTopLine(LineIndex line);
    void InvalidateAll();

    Document& document_;
    ViewHost& host_;
    Layout layout_;
    Viewport viewport_;  // invariant: clamped to the layout's ranges
};

}  // namespace pathbook
