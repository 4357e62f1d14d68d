// "TextLoom View": the window that shows a document through EditViewCore and
// edits it through the input controllers of EditInput. It owns the Painter on its kept device context and
// the Metrics built from it, forwards WM_SIZE, WM_PAINT, the scroll bars and
// the wheel to the core, moves the window's pixels when the core scrolls, and
// turns keys, characters, the mouse, focus and input-method messages into
// calls of those controllers (view_window_input.cpp).
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/window.h"
#include "config/apply_to_editor.h"
#include "config/view_palette.h"
#include "document/document.h"
#include "view/edit_input.h"
#include "view/edit_view_core.h"
#include "view/metrics.h"
#include "view/win32/link_worker.h"
#include "view/win32/painter.h"

namespace pathbook {

// Where the view sends texts for the status line.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void ShowStatus(const std::u16string& text) = 0;
};

class ViewWindow final : public Window, public ViewHost, public CaretHost, public EditorViewSettings {
public:
    // `document` outlives the window.
    explicit ViewWindow(Document& document);
    ~ViewWindow() override;

    bool Create(HWND parent, int id);

    // Settings given before Create are kept and used when the window is made.
    void Apply(const ViewSettings& appearance, std::int32_t wrap, bool lineNumbers) override;
    void SetWrap(std::int32_t wrap) override;
    void SetLineNumbers(bool shown);
    // The DPI the view draws at: fonts, rows, the margin and the caret follow
    // it. Until given one the view takes its window's.
    void SetDpi(UINT dpi);
    // The colours the view paints with: the document type's under the light
    // scheme, the dark palette, or the system's under high contrast.
    void SetColorScheme(ColorScheme scheme, const SystemColors& system);
    void SetStatusSink(StatusSink* sink) { statusSink_ = sink; }
    // The folder relative links resolve against, and whether one click opens a link.
    void SetLinkBase(const std::u16string& folder);
    void SetSingleClick(bool on);

    // Null before Create and after the window is gone.
    const EditViewCore* Core() const { return core_.get(); }
    EditInput* Input() { return input_.get(); }
    const EditInput* Input() const { return input_.get(); }
    // The record of the view's font, once created (for the benchmark's EDIT control).
    const LOGFONTW& FontRecord() const { return painter_->FontRecord(); }
    // GDI calls of the last WM_PAINT, for the benchmark.
    std::uint32_t LastPaintGdiCalls() const { return lastPaintGdiCalls_; }

    // ViewHost and CaretHost.
    void Invalidate(const PixelRect& rect) override;
    void ScrollBarsChanged() override;
    void ScrollTo(Viewport viewport) override;
    void PlaceSystemCaret(std::int32_t x, std::int32_t y) override;
    void CaretShapeChanged() override;
    void ShowStatus(const std::u16string& text) override;
    void StartLinkResolution(const LinkRequest& request) override;
    void CursorChanged() override;

protected:
    void OnCreate(CREATESTRUCTW&) override;
    void OnDestroy() override;
    bool OnPaint() override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnScroll(bool vertical, WORD request, HWND control) override;
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnKey(UINT message, WPARAM key, LPARAM flags) override;
    bool OnChar(WPARAM unit, LPARAM flags) override;
    bool OnFocus(bool gained) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnSetCursor(HWND over, UINT hitTest) override;
    // The window's text is the document's, with CR LF between lines; at most
    // wParam - 1 units of it go straight into the caller's buffer.
    bool OnGetText(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnAppMessage(UINT offset, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnImeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The frame that holds the view answers the edit-control messages sent to the view.
    bool OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Builds fonts and Metrics for the current look; the core lays out once.
    void Rebuild();
    void AfterLayoutChange();
    void MovePixels(EditViewCore::Move move);
    std::int32_t TrackPosition(int bar) const;
    void Wheel(std::int32_t delta);
    void ShowSystemCaret();
    void EndDrag();
    void PlaceComposition();
    bool ImeComposition(LPARAM flags);
    bool ImeRequest(WPARAM request, LPARAM data, LRESULT& result);

    ViewPalette Palette() const { return PaletteFor(look_, scheme_, systemColors_); }

    Document& document_;
    ViewSettings look_;
    UINT dpi_ = 0;  // 0: the window's own, once there is a window
    ColorScheme scheme_ = ColorScheme::kLight;
    SystemColors systemColors_;
    LayoutOptions options_;
    std::unique_ptr<Painter> painter_;
    std::unique_ptr<Metrics> metrics_;
    std::unique_ptr<EditViewCore> core_;
    std::unique_ptr<EditInput> input_;  // after core_: it listens to the document after the layout
    StatusSink* statusSink_ = nullptr;
    std::u16string linkBase_;
    bool singleClick_ = true;
    WheelAccumulator wheel_;
    bool hasSystemCaret_ = false;
    // What the bars were last given: setting a bar redraws it, which costs more
    // than a keystroke's whole paint, so a bar is set only when it changes.
    ScrollBarState verticalBar_{-1, 0, 0};
    ScrollBarState horizontalBar_{-1, 0, 0};
    bool horizontalShown_ = true;  // the window is made with both bars
    std::uint32_t lastPaintGdiCalls_ = 0;
    // Links being checked: the UI thread's table of the jobs it gave the
    // worker; a finished job's message names its id, nothing else.
    LinkWorker linkWorker_;
    std::map<LinkJobId, LinkRequest> linkJobs_;
    LinkJobId lastLinkJob_ = 0;
};

}  // namespace pathbook
