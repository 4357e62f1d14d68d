// "TextLoom View": the window that shows a document through EditViewCore. It
// owns the Painter on its kept device context and the Metrics built from it,
// forwards WM_SIZE, WM_PAINT, the scroll bars and the wheel to the core, and
// moves the window's pixels when the core scrolls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/framework/window.h"
#include "config/apply_to_editor.h"
#include "document/document.h"
#include "view/edit_view_core.h"
#include "view/metrics.h"
#include "view/win32/painter.h"

namespace pathbook {

class ViewWindow final : public Window, public ViewHost, public EditorViewSettings {
public:
    // `document` outlives the window.
    explicit ViewWindow(Document& document);
    ~ViewWindow() override;

    bool Create(HWND parent, int id);

    // Settings given before Create are kept and used when the window is made.
    void Apply(const ViewSettings& appearance, std::int32_t wrap, bool lineNumbers) override;
    void SetWrap(std::int32_t wrap) override;
    void SetLineNumbers(bool shown);
    LayoutOptions Options() const { return options_; }
    // The selection to paint inverted; equal positions mean none.
    void SetSelection(DocPos from, DocPos to);
    // Scrolls to `viewport` (clamped) and moves the pixels with it.
    void ScrollView(Viewport viewport);

    // Null before Create and after the window is gone.
    const EditViewCore* Core() const { return core_.get(); }
    // GDI calls of the last WM_PAINT, for the benchmark.
    std::uint32_t LastPaintGdiCalls() const { return lastPaintGdiCalls_; }

    void Invalidate(const PixelRect& rect) override;
    void ScrollBarsChanged() override;

protected:
    void OnCreate(CREATESTRUCTW&) override;
    void OnDestroy() override;
    bool OnPaint() override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnScroll(bool vertical, WORD request, HWND control) override;
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Builds fonts and Metrics for the current look; the core lays out once.
    void Rebuild();
    void MovePixels(EditViewCore::Move move);
    std::int32_t TrackPosition(int bar) const;

    Document& document_;
    ViewSettings look_;
    LayoutOptions options_;
    DocPos selectionFrom_;
    DocPos selectionTo_;
    std::unique_ptr<Painter> painter_;
    std::unique_ptr<Metrics> metrics_;
    std::unique_ptr<EditViewCore> core_;
    WheelAccumulator wheel_;
    std::uint32_t lastPaintGdiCalls_ = 0;
};

}  // namespace pathbook
