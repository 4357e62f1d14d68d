#include "app/framework/window.h"

namespace pathbook {
namespace {

struct CreationPair {
    Window* object;
    void* userValue;
};

}  // namespace

bool Window::RegisterWindowClass(WNDCLASSEXW& classInfo) {
    classInfo.cbSize = sizeof classInfo;
    classInfo.hInstance = GetModuleHandleW(nullptr);
    classInfo.lpfnWndProc = InitialProcedure;
    return RegisterClassExW(&classInfo) != 0;
}

bool Window::Create(const wchar_t* title, HWND parent, int x, int y, int width, int height, void* userValue) {
    CreationPair pair{this, userValue};
    return CreateWindowExW(exStyle_, className_, title, style_, x, y, width, height, parent, nullptr,
                           GetModuleHandleW(nullptr), &pair) != nullptr;
}

void Window::Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT Window::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
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
    switch (message) {
        case WM_COMMAND:
            if (window->OnCommand(LOWORD(wParam), lParam)) return 0;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case WM_DESTROY:
            window->OnDestroy();
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InitialProcedure));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            if (window->inLoop_) PostQuitMessage(0);
            window->hwnd_ = nullptr;
            return 0;
        default:
            return window->WndProc(message, wParam, lParam);
    }
}

}  // namespace pathbook
