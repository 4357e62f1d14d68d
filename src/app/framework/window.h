// Window objects: every window the program registers is an object whose
// virtual operations receive its messages. The window's user data holds the
// object; messages before WM_CREATE go to the system's default procedure.
#pragma once

#include <windows.h>

namespace pathbook {

class WindowBase {
public:
    virtual ~WindowBase() = default;
    HWND Handle() const { return hwnd_; }
    // Offered every message by the message loop before translation; true
    // means handled (neither translated nor dispatched).
    virtual bool PreTranslate(MSG&) { return false; }

protected:
    friend int RunMessageLoop(WindowBase& window, class InputMethodManager& inputMethods);
    HWND hwnd_ = nullptr;
    bool inLoop_ = false;  // the loop this object runs ends when its window is destroyed
};

class Window : public WindowBase {
public:
    Window(const wchar_t* className, DWORD style, DWORD exStyle)
        : className_(className), style_(style), exStyle_(exStyle) {}
    ~Window() override { Destroy(); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Registers a class whose windows are Window objects. The caller fills in
    // icon, cursor, menu and class name; size, instance and procedure are set here.
    static bool RegisterWindowClass(WNDCLASSEXW& classInfo);

    // OnCreate receives `userValue` as the creation parameter.
    bool Create(const wchar_t* title, HWND parent, int x, int y, int width, int height, void* userValue);
    void Destroy();

protected:
    virtual void OnCreate(CREATESTRUCTW&) {}
    virtual void OnDestroy() {}
    // False: not handled, the default procedure gets the message.
    virtual bool OnCommand(WORD, LPARAM) { return false; }
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK InitialProcedure(HWND, UINT, WPARAM, LPARAM) noexcept;
    static LRESULT CALLBACK SharedProcedure(HWND, UINT, WPARAM, LPARAM) noexcept;

    const wchar_t* className_;
    DWORD style_;
    DWORD exStyle_;
};

}  // namespace pathbook
