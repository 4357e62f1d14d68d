#include "view/win32/control_window.h"

namespace pathbook {
namespace {

constexpr wchar_t kClassName[] = L"TextLoom Control-01";
constexpr int kViewId = 1;

}  // namespace

ControlWindow::ControlWindow(Document& document)
    : Window(kClassName, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE), view_(document) {
    WNDCLASSEXW classInfo{};
    classInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    classInfo.lpszClassName = kClassName;
    RegisterWindowClass(classInfo);
}

ControlWindow::~ControlWindow() { Destroy(); }

bool ControlWindow::Create(HWND parent, int id) {
    return Window::Create(L"", parent, 0, 0, 0, 0, nullptr, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void ControlWindow::OnCreate(CREATESTRUCTW&) { view_.Create(Handle(), kViewId); }

bool ControlWindow::OnSize(UINT type, int width, int height) {
    if (type != SIZE_MINIMIZED && view_.Handle() != nullptr) MoveWindow(view_.Handle(), 0, 0, width, height, TRUE);
    return true;
}

bool ControlWindow::OnFocus(bool gained) {
    if (gained && view_.Handle() != nullptr) SetFocus(view_.Handle());
    return gained;
}

bool ControlWindow::OnEditMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (sink_ == nullptr) return false;
    switch (message) {
        case WM_CUT: sink_->Cut(); return true;
        case WM_COPY: sink_->Copy(); return true;
        case WM_PASTE: sink_->Paste(); return true;
        case WM_UNDO:
        case EM_UNDO: result = sink_->Undo() ? TRUE : FALSE; return true;
        case EM_CANUNDO: result = sink_->CanUndo() ? TRUE : FALSE; return true;
        case EM_SETREADONLY: result = sink_->SetReadOnly(wParam != 0) ? TRUE : FALSE; return true;
        default: return false;
    }
}

}  // namespace pathbook
