// The input half of "TextLoom View": input messages become calls of the input
// controllers, and their requests (system caret, pointer, status, link checks)
// become system calls.
#include "view/win32/view_window.h"

#include <imm.h>

#include <string>

#include "config/dpi_scale.h"
#include "framework/handles.h"
#include "view/edit_keys.h"
#include "view/ime_blocks.h"
#include "view/win32/link_worker.h"

namespace pathbook {
namespace {

constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kLinkChecked = 1;  // WM_APP + this: the link job wParam is done

bool Held(int key) { return GetKeyState(key) < 0; }

// The drag's auto-scroll follows the keyboard's repeat speed (0 slow .. 31 fast).
UINT DragInterval() {
    DWORD speed = 31;
    SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    return 400 - (speed > 31 ? 31 : speed) * 12;
}

HCURSOR CursorFor(CursorShape shape) {
    switch (shape) {
        case CursorShape::kHand: return LoadCursorW(nullptr, IDC_HAND);
        case CursorShape::kBusy: return LoadCursorW(nullptr, IDC_APPSTARTING);
        case CursorShape::kIBeam: break;
    }
    return LoadCursorW(nullptr, IDC_IBEAM);
}

// Copies an input-method block into the caller's buffer, whose size it states
// itself; a query (no buffer) learns the size needed.
LRESULT AnswerBlock(const std::vector<std::uint8_t>& block, LPARAM data, bool& filled) {
    filled = false;
    if (block.empty()) return 0;
    if (data == 0) return static_cast<LRESULT>(block.size());
    auto* destination = reinterpret_cast<RECONVERTSTRING*>(data);
    if (!FillImeBlock(block, destination, destination->dwSize)) return 0;
    filled = true;
    return static_cast<LRESULT>(block.size());
}

}  // namespace

bool ViewWindow::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (input_ == nullptr) return false;
    const std::int32_t x = static_cast<short>(LOWORD(lParam));
    const std::int32_t y = static_cast<short>(HIWORD(lParam));
    const bool shift = (wParam & MK_SHIFT) != 0;
    const bool ctrl = (wParam & MK_CONTROL) != 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            SetFocus(Handle());
            if (input_->mouse.LeftButtonDown(x, y, shift, ctrl)) {
                SetCapture(Handle());
                SetTimer(Handle(), kDragTimer, DragInterval(), nullptr);
            }
            return true;
        case WM_MOUSEMOVE: input_->mouse.MouseMove(x, y); return true;
        case WM_LBUTTONUP: EndDrag(); return true;
        case WM_LBUTTONDBLCLK: input_->mouse.DoubleClick(x, y, ctrl); return true;
        case WM_RBUTTONDOWN:
            SetFocus(Handle());
            input_->mouse.RightButtonDown(x, y);
            return true;
        case WM_MOUSEWHEEL: Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return true;
        default: return false;
    }
}

void ViewWindow::EndDrag() {
    if (input_ == nullptr || !input_->mouse.Dragging()) return;
    KillTimer(Handle(), kDragTimer);
    input_->mouse.LeftButtonUp();
    if (GetCapture() == Handle()) ReleaseCapture();
}

bool ViewWindow::OnTimer(UINT_PTR id) {
    if (id != kDragTimer || input_ == nullptr) return false;
    if (GetCapture() != Handle()) {
        EndDrag();  // the capture was taken away: the drag is over
        return true;
    }
    input_->mouse.DragTick();
    return true;
}

bool ViewWindow::OnKey(UINT message, WPARAM key, LPARAM) {
    if (message != WM_KEYDOWN || input_ == nullptr) return false;
    const EditKey editKey = KeyFromVirtualKey(static_cast<std::uint32_t>(key));
    if (editKey == EditKey::kOther) return false;
    input_->keys.Key(editKey, Held(VK_SHIFT), Held(VK_CONTROL));
    return true;
}

bool ViewWindow::OnChar(WPARAM unit, LPARAM) {
    if (input_ == nullptr) return false;
    input_->keys.Char(static_cast<char16_t>(unit));
    return true;
}

bool ViewWindow::OnFocus(bool gained) {
    if (input_ == nullptr) return false;
    if (gained) {
        ShowSystemCaret();
    } else {
        EndDrag();
        hasSystemCaret_ = false;
        DestroyCaret();
    }
    return true;
}

void ViewWindow::ShowSystemCaret() {
    const std::int32_t height = metrics_->LineHeight();
    // The insert caret's 2 pixels are those of 96 DPI; the overwrite caret is as wide as "x" already.
    const Selection& selection = input_->selection;
    const std::int32_t width = selection.InsertMode() ? ScaleToDpi(selection.SystemCaretWidth(), static_cast<std::int32_t>(dpi_))
                                                      : selection.SystemCaretWidth();
    CreateCaret(Handle(), nullptr, width, height);
    hasSystemCaret_ = true;
    const Selection::Point point = input_->selection.SystemCaretPoint();
    PlaceSystemCaret(point.x, point.y);
    ShowCaret(Handle());
}

void ViewWindow::PlaceSystemCaret(std::int32_t x, std::int32_t y) {
    if (!hasSystemCaret_) return;
    SetCaretPos(x, y);
    PlaceComposition();
}

void ViewWindow::CaretShapeChanged() {
    if (!hasSystemCaret_) return;
    DestroyCaret();
    ShowSystemCaret();
}

void ViewWindow::ShowStatus(const std::u16string& text) {
    if (statusSink_ != nullptr) statusSink_->ShowStatus(text);
}

void ViewWindow::StartLinkResolution(const LinkRequest& request) {
    if (++lastLinkJob_ == 0) ++lastLinkJob_;
    if (linkWorker_.Submit(Handle(), WM_APP + kLinkChecked, lastLinkJob_, request)) {
        linkJobs_[lastLinkJob_] = request;
        return;
    }
    // Without the worker the check cannot run: end it as one that found nothing.
    input_->links.Finish(request, LinkResult{});
}

// Any process may post any WM_APP + n here: only the id of a job of this
// window's own table that the worker has finished leads anywhere.
bool ViewWindow::OnAppMessage(UINT offset, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    if (offset != kLinkChecked || wParam > UINT32_MAX) return true;
    const auto job = linkJobs_.find(static_cast<LinkJobId>(wParam));
    LinkResult found;
    if (job == linkJobs_.end() || !linkWorker_.TakeResult(job->first, &found)) return true;
    const LinkRequest request = std::move(job->second);
    linkJobs_.erase(job);
    if (input_ != nullptr) input_->links.Finish(request, found);
    return true;
}

void ViewWindow::CursorChanged() {
    POINT point{};
    if (input_ == nullptr || !GetCursorPos(&point) || WindowFromPoint(point) != Handle()) return;
    ScreenToClient(Handle(), &point);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (PtInRect(&client, point)) SetCursor(CursorFor(input_->mouse.Cursor()));
}

bool ViewWindow::OnSetCursor(HWND over, UINT hitTest) {
    if (input_ == nullptr || over != Handle() || hitTest != HTCLIENT) return false;
    SetCursor(CursorFor(input_->mouse.Cursor()));
    return true;
}

void ViewWindow::PlaceComposition() {
    ImeContext context(Handle());
    if (context.Get() == nullptr) return;
    const Selection::Point point = input_->selection.SystemCaretPoint();
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = POINT{point.x, point.y};
    ImmSetCompositionWindow(context.Get(), &form);
}

bool ViewWindow::OnImeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (input_ == nullptr) return false;
    switch (message) {
        case WM_IME_STARTCOMPOSITION: {
            // The composition window opens at the caret: it must be on the screen.
            input_->selection.ScrollCaretIntoView();
            ImeContext context(Handle());
            if (context.Get() != nullptr) {
                LOGFONTW font = painter_->FontRecord();
                ImmSetCompositionFontW(context.Get(), &font);
            }
            PlaceComposition();
            return false;  // the system still opens its composition window
        }
        case WM_IME_COMPOSITION:
            input_->selection.ScrollCaretIntoView();
            return ImeComposition(lParam);
        case WM_IME_REQUEST: return ImeRequest(wParam, lParam, result);
        default: return false;
    }
}

bool ViewWindow::ImeComposition(LPARAM flags) {
    if ((flags & GCS_RESULTSTR) == 0) return false;
    ImeContext context(Handle());
    if (context.Get() == nullptr) return false;
    // Negative answers are errors: there is no string then.
    const LONG bytes = ImmGetCompositionStringW(context.Get(), GCS_RESULTSTR, nullptr, 0);
    if (bytes <= 0) return true;
    std::u16string text(static_cast<std::size_t>(bytes) / sizeof(char16_t), u'\0');
    const LONG copied = ImmGetCompositionStringW(context.Get(), GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
    if (copied <= 0) return true;
    text.resize(static_cast<std::size_t>(copied) / sizeof(char16_t));
    input_->keys.InputString(text);
    return true;  // handled here: no WM_IME_CHAR follows
}

bool ViewWindow::ImeRequest(WPARAM request, LPARAM data, LRESULT& result) {
    bool filled = false;
    switch (request) {
        case IMR_RECONVERTSTRING:
            result = AnswerBlock(input_->ime.ReconversionBlock(), data, filled);
            if (filled) input_->ime.StartReconversion();
            return true;
        case IMR_DOCUMENTFEED: result = AnswerBlock(input_->ime.DocumentFeedBlock(), data, filled); return true;
        case IMR_COMPOSITIONFONT:
            if (data == 0) return false;
            *reinterpret_cast<LOGFONTW*>(data) = painter_->FontRecord();
            result = 1;
            return true;
        case IMR_QUERYCHARPOSITION: {
            if (data == 0) return false;
            auto* position = reinterpret_cast<IMECHARPOSITION*>(data);
            const ImeBridge::CharPlace place = input_->ime.CharPosition(position->dwCharPos);
            POINT point{place.x, place.y};
            ClientToScreen(Handle(), &point);
            position->pt = point;
            position->cLineHeight = static_cast<UINT>(place.lineHeight);
            RECT client{};
            GetClientRect(Handle(), &client);
            MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
            position->rcDocument = client;
            result = 1;
            return true;
        }
        default: return false;
    }
}

}  // namespace pathbook
