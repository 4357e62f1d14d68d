#include "framework/window.h"

#include "framework/input_method.h"

namespace pathbook {
namespace {

struct CreationPair {
    Window* object;
    void* userValue;
};

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

bool IsEditMessage(UINT message) {
    return (message >= WM_CUT && message <= WM_UNDO) || (message >= EM_GETSEL && message <= EM_GETIMESTATUS);
}

bool IsImeMessage(UINT message) {
    return (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_KEYLAST) ||
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP);
}

}  // namespace

InputMethodManager* Window::inputMethods_ = nullptr;

Window::~Window() {
    if (hwnd_ == nullptr) return;
    HWND window = hwnd_;
    Detach();
    DestroyWindow(window);
}

bool Window::RegisterWindowClass(WNDCLASSEXW& classInfo) {
    classInfo.cbSize = sizeof classInfo;
    classInfo.hInstance = GetModuleHandleW(nullptr);
    classInfo.lpfnWndProc = InitialProcedure;
    return RegisterClassExW(&classInfo) != 0;
}

bool Window::Create(const wchar_t* title, HWND parent, int x, int y, int width, int height, void* userValue,
                    HMENU menuOrId) {
    CreationPair pair{this, userValue};
    return CreateWindowExW(exStyle_, className_, title, style_, x, y, width, height, parent, menuOrId,
                           GetModuleHandleW(nullptr), &pair) != nullptr;
}

void Window::Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void Window::Detach() {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    if (inLoop_) PostQuitMessage(0);
    hwnd_ = nullptr;
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (inputMethods_ != nullptr && inputMethods_->DefaultWindowProc(hwnd_, message, wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            // A notification comes from a child, on this thread; one sent from
            // another thread or process carries a pointer that means nothing
            // here, and is dropped unread.
            return lParam == 0 || InSendMessage() || OnNotify(*reinterpret_cast<NMHDR*>(lParam), result);
        case WM_PAINT: return OnPaint();
        case WM_MOVE: return OnMove();
        case WM_SIZE: return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        case WM_ACTIVATE: return OnActivate(LOWORD(wParam) != WA_INACTIVE);
        case WM_SETFOCUS: return OnFocus(true);
        case WM_KILLFOCUS: return OnFocus(false);
        case WM_CLOSE: return OnClose();
        case WM_QUERYENDSESSION: return OnQueryEndSession(result);
        case WM_ENDSESSION: return OnEndSession(wParam != FALSE);
        case WM_SYSCOMMAND: return OnSysCommand(wParam);
        case WM_INITMENU: return OnInitMenu(reinterpret_cast<HMENU>(wParam));
        case WM_INITMENUPOPUP: return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        case WM_CONTEXTMENU:
            return OnContextMenu(reinterpret_cast<HWND>(wParam), static_cast<short>(LOWORD(lParam)),
                                 static_cast<short>(HIWORD(lParam)));
        case WM_DROPFILES: return OnDropFiles(reinterpret_cast<HDROP>(wParam));
        case WM_COPYDATA:
            return lParam != 0 && OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam), result);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: return OnKey(message, wParam, lParam);
        case WM_CHAR: return OnChar(wParam, lParam);
        case WM_TIMER: return OnTimer(wParam);
        case WM_VSCROLL:
        case WM_HSCROLL:
            return OnScroll(message == WM_VSCROLL, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: return OnGetText(message, wParam, lParam, result);
        case WM_SETCURSOR:
            result = TRUE;
            return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_DPICHANGED:
            return lParam != 0 && OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        case WM_SETTINGCHANGE: {
            const auto* area = reinterpret_cast<const wchar_t*>(lParam);
            return OnSettingChange(static_cast<UINT>(wParam), area != nullptr ? area : L"");
        }
        case WM_SYSCOLORCHANGE: return OnSettingChange(0, L"");
        default: break;
    }
    if (message >= WM_APP && message <= 0xBFFF) return OnAppMessage(message - WM_APP, wParam, lParam, result);
    if (IsMouseMessage(message)) return OnMouse(message, wParam, lParam);
    if (IsImeMessage(message)) return OnImeMessage(message, wParam, lParam, result);
    if (IsEditMessage(message)) return OnEditMessage(message, wParam, lParam, result);
    return false;
}

LRESULT CALLBACK Window::InitialProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE) return DefWindowProcW(hwnd, message, wParam, lParam);
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* pair = static_cast<CreationPair*>(create->lpCreateParams);
    Window* window = pair->object;
    create->lpCreateParams = pair->userValue;
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SharedProcedure));
    window->OnCreate(*create);
    return 0;
}

LRESULT CALLBACK Window::SharedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_DESTROY) {
        window->OnDestroy();
        window->Detach();
        return 0;
    }
    LRESULT result = 0;
    if (window->Dispatch(message, wParam, lParam, result)) return result;
    return window->DefaultHandling(message, wParam, lParam);
}

}  // namespace pathbook
