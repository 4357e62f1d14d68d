#include "view/win32/view_window.h"

#include <cstdlib>

#include "framework/dpi.h"
#include "view/window_text.h"

namespace pathbook {
namespace {

constexpr wchar_t kClassName[] = L"TextLoom View";

bool ToScrollRequest(WORD request, ScrollRequest& out) {
    switch (request) {
        case SB_LINEUP: out = ScrollRequest::kLineBack; return true;
        case SB_LINEDOWN: out = ScrollRequest::kLineForward; return true;
        case SB_PAGEUP: out = ScrollRequest::kPageBack; return true;
        case SB_PAGEDOWN: out = ScrollRequest::kPageForward; return true;
        case SB_TOP: out = ScrollRequest::kStart; return true;
        case SB_BOTTOM: out = ScrollRequest::kEnd; return true;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: out = ScrollRequest::kTrack; return true;
        default: return false;
    }
}

void PushBar(HWND window, int bar, ScrollBarState state, ScrollBarState& pushed) {
    if (state == pushed) return;
    pushed = state;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    // A bar that stays put keeps the client width, which wrapping at the edge depends on.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = state.max;
    info.nPage = state.page;
    info.nPos = state.pos;
    SetScrollInfo(window, bar, &info, TRUE);
}

}  // namespace

ViewWindow::ViewWindow(Document& document)
    : Window(kClassName, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0), document_(document) {
    WNDCLASSEXW classInfo{};
    classInfo.style = CS_OWNDC | CS_DBLCLKS;
    classInfo.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    classInfo.lpszClassName = kClassName;
    RegisterWindowClass(classInfo);
}

ViewWindow::~ViewWindow() { Destroy(); }

bool ViewWindow::Create(HWND parent, int id) {
    return Window::Create(L"", parent, 0, 0, 0, 0, nullptr, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void ViewWindow::Apply(const ViewSettings& appearance, std::int32_t wrap, bool lineNumbers) {
    look_ = appearance;
    options_ = LayoutOptions{wrap, lineNumbers};
    if (core_ != nullptr) Rebuild();
}

void ViewWindow::SetWrap(std::int32_t wrap) {
    options_.wrap = wrap;
    if (core_ == nullptr) return;
    core_->SetOptions(options_);
    AfterLayoutChange();
}

void ViewWindow::SetLinkBase(const std::u16string& folder) {
    linkBase_ = folder;
    if (input_ != nullptr) input_->links.SetLinkBase(folder);
}

void ViewWindow::SetSingleClick(bool on) {
    singleClick_ = on;
    if (input_ != nullptr) input_->links.SetSingleClick(on);
}

void ViewWindow::SetLineNumbers(bool shown) {
    options_.lineNumbers = shown;
    if (core_ == nullptr) return;
    core_->SetOptions(options_);
    AfterLayoutChange();
}

void ViewWindow::SetDpi(UINT dpi) {
    if (dpi == 0 || dpi == dpi_) return;
    dpi_ = dpi;
    if (core_ != nullptr) Rebuild();
}

void ViewWindow::SetColorScheme(ColorScheme scheme, const SystemColors& system) {
    scheme_ = scheme;
    systemColors_ = system;
    if (painter_ == nullptr) return;
    painter_->SetPalette(Palette());
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ViewWindow::Rebuild() {
    painter_->Configure(look_, Palette(), static_cast<std::int32_t>(dpi_));
    auto metrics = std::make_unique<Metrics>(*painter_, look_.tabWidth);
    core_->Apply(*metrics, options_);
    metrics_ = std::move(metrics);  // the old measures go once the layout no longer uses them
    AfterLayoutChange();
}

void ViewWindow::AfterLayoutChange() {
    input_->selection.Relayout();
    if (hasSystemCaret_) CaretShapeChanged();  // the row height may have changed
}

void ViewWindow::OnCreate(CREATESTRUCTW&) {
    if (dpi_ == 0) dpi_ = WindowDpi(Handle());
    painter_ = std::make_unique<Painter>(GetDC(Handle()));
    painter_->Configure(look_, Palette(), static_cast<std::int32_t>(dpi_));
    metrics_ = std::make_unique<Metrics>(*painter_, look_.tabWidth);
    core_ = std::make_unique<EditViewCore>(document_, *metrics_, *this);
    input_ = std::make_unique<EditInput>(document_, *core_, *this);
    input_->links.SetLinkBase(linkBase_);
    input_->links.SetSingleClick(singleClick_);
    core_->SetOptions(options_);
    input_->selection.Relayout();
}

void ViewWindow::OnDestroy() {
    EndDrag();
    // No check outlives the view: what is queued is dropped, the one running ends first.
    linkWorker_.Stop();
    linkJobs_.clear();
    input_.reset();
    core_.reset();
    metrics_.reset();
    painter_.reset();
}

void ViewWindow::Invalidate(const PixelRect& rect) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(Handle(), &area, FALSE);
}

void ViewWindow::ScrollBarsChanged() {
    if (core_ == nullptr) return;
    const Layout& layout = core_->CurrentLayout();
    const Viewport viewport = core_->CurrentViewport();
    PushBar(Handle(), SB_VERT, VerticalBar(layout, viewport.topRow), verticalBar_);
    const bool horizontal = ShowsHorizontalBar(layout);
    if (horizontal != horizontalShown_) {
        // Greyed, the bar would stay whatever is set (SIF_DISABLENOSCROLL): it is shown or hidden here.
        horizontalShown_ = horizontal;
        horizontalBar_ = ScrollBarState{-1, 0, 0};
        ShowScrollBar(Handle(), SB_HORZ, horizontal ? TRUE : FALSE);
    }
    if (horizontal) PushBar(Handle(), SB_HORZ, HorizontalBar(layout, viewport.left), horizontalBar_);
}

bool ViewWindow::OnPaint() {
    PAINTSTRUCT paint{};
    BeginPaint(Handle(), &paint);
    if (core_ != nullptr) {
        painter_->BeginPaint();
        const RECT& r = paint.rcPaint;
        core_->Paint(PixelRect{r.left, r.top, r.right, r.bottom}, look_, input_->selection.Anchor().pos,
                     input_->selection.Position().pos, *painter_);
        lastPaintGdiCalls_ = painter_->GdiCalls();
    }
    EndPaint(Handle(), &paint);
    return true;
}

bool ViewWindow::OnSize(UINT type, int width, int height) {
    if (type == SIZE_MINIMIZED || core_ == nullptr) return true;
    core_->Resize(width, height);
    input_->selection.FollowResize(hasSystemCaret_);
    return true;
}

bool ViewWindow::OnGetText(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETTEXTLENGTH) {
        result = static_cast<LRESULT>(document_.RangeLength(DocPos{0, 0}, DocPos{kEndOfText, kEndOfText}));
        return true;
    }
    auto* buffer = reinterpret_cast<char16_t*>(lParam);
    result = buffer == nullptr || wParam == 0 ? 0 : static_cast<LRESULT>(CopyWindowText(document_, buffer, wParam));
    return true;
}

bool ViewWindow::OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND frame = GetParent(Handle());
    if (frame == nullptr) return false;
    result = SendMessageW(frame, message, wParam, lParam);
    return true;
}

std::int32_t ViewWindow::TrackPosition(int bar) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), bar, &info);
    return info.nTrackPos;
}

bool ViewWindow::OnScroll(bool vertical, WORD request, HWND control) {
    ScrollRequest kind;
    if (control != nullptr) return false;
    if (core_ == nullptr || !ToScrollRequest(request, kind)) return true;
    const int bar = vertical ? SB_VERT : SB_HORZ;
    const std::int32_t track = kind == ScrollRequest::kTrack ? TrackPosition(bar) : 0;
    const Layout& layout = core_->CurrentLayout();
    Viewport viewport = core_->CurrentViewport();
    if (vertical) {
        viewport.topRow = VerticalTarget(layout, viewport.topRow, kind, track);
    } else {
        viewport.left = HorizontalTarget(layout, viewport.left, kind, track);
    }
    ScrollTo(viewport);
    return true;
}

void ViewWindow::Wheel(std::int32_t delta) {
    const std::int64_t rows = wheel_.Add(delta);
    Viewport viewport = core_->CurrentViewport();
    if (rows < 0) {
        const RowIndex up = static_cast<RowIndex>(-rows);
        viewport.topRow = viewport.topRow > up ? viewport.topRow - up : 0;
    } else {
        viewport.topRow += static_cast<RowIndex>(rows);
    }
    ScrollTo(viewport);
}

void ViewWindow::ScrollTo(Viewport viewport) {
    if (core_ == nullptr) return;
    MovePixels(core_->ScrollTo(viewport));
    if (input_ != nullptr) {
        const Selection::Point point = input_->selection.SystemCaretPoint();
        PlaceSystemCaret(point.x, point.y);
    }
}

void ViewWindow::MovePixels(EditViewCore::Move move) {
    if (move.dx == 0 && move.dy == 0) return;
    const Layout& layout = core_->CurrentLayout();
    const std::int32_t width = layout.ClientWidth();
    const std::int32_t height = layout.ClientHeight();
    const std::int32_t textLeft = layout.TextLeft();
    const bool both = move.dx != 0 && move.dy != 0;
    if (both || std::llabs(move.dx) >= width - textLeft || std::llabs(move.dy) >= height) {
        InvalidateRect(Handle(), nullptr, FALSE);
    } else if (move.dy != 0) {
        ScrollWindowEx(Handle(), 0, static_cast<int>(move.dy), nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    } else {
        // The margin stays where it is; only the text area moves sideways.
        const RECT text{textLeft, 0, width, height};
        ScrollWindowEx(Handle(), static_cast<int>(move.dx), 0, &text, &text, nullptr, nullptr, SW_INVALIDATE);
    }
    UpdateWindow(Handle());
}

}  // namespace pathbook
