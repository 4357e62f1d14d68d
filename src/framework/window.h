// Window objects: every window the program registers is an object whose named
// handlers receive its messages. The window's user data holds the object;
// messages before WM_CREATE go to the system's default procedure. Each handler
// returns true when it handled the message; what no handler takes goes to the
// default handling (the input-method manager first, then the system).
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace pathbook {

class InputMethodManager;

class WindowBase {
public:
    virtual ~WindowBase() = default;
    HWND Handle() const { return hwnd_; }
    // Offered every message by the message loop before translation; true
    // means handled (neither translated nor dispatched).
    virtual bool PreTranslate(MSG&) { return false; }

protected:
    friend int RunMessageLoop(WindowBase& window, InputMethodManager& inputMethods);
    HWND hwnd_ = nullptr;
    bool inLoop_ = false;  // the loop this object runs ends when its window is destroyed
};

class Window : public WindowBase {
public:
    Window(const wchar_t* className, DWORD style, DWORD exStyle)
        : className_(className), style_(style), exStyle_(exStyle) {}
    // A window still alive is first cut off from this object, then destroyed:
    // no handler of a half-destroyed object runs. A class that wants its
    // OnDestroy to run calls Destroy in its own destructor.
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Registers a class whose windows are Window objects. The caller fills in
    // icon, cursor, menu and class name; size, instance and procedure are set here.
    static bool RegisterWindowClass(WNDCLASSEXW& classInfo);
    // The manager every window's default handling offers messages to first.
    static void UseInputMethods(InputMethodManager* manager) { inputMethods_ = manager; }

    // OnCreate receives `userValue` as the creation parameter. `menuOrId`: the
    // menu of a top-level window, the child id of a child window.
    bool Create(const wchar_t* title, HWND parent, int x, int y, int width, int height, void* userValue,
                HMENU menuOrId = nullptr);
    // Destroys the window if there is one; OnDestroy runs.
    void Destroy();

protected:
    virtual void OnCreate(CREATESTRUCTW&) {}
    virtual void OnDestroy() {}
    // `control` is null for menus and accelerators.
    virtual bool OnCommand(WORD /*id*/, WORD /*notifyCode*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR&, LRESULT&) { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnMove() { return false; }
    virtual bool OnSize(UINT /*type*/, int /*width*/, int /*height*/) { return false; }
    virtual bool OnActivate(bool /*active*/) { return false; }
    virtual bool OnFocus(bool /*gained*/) { return false; }
    virtual bool OnClose() { return false; }
    virtual bool OnQueryEndSession(LRESULT&) { return false; }
    // WM_ENDSESSION: `ending` when the Windows session really ends now.
    virtual bool OnEndSession(bool /*ending*/) { return false; }
    virtual bool OnSysCommand(WPARAM /*command*/) { return false; }
    virtual bool OnInitMenu(HMENU) { return false; }
    virtual bool OnInitMenuPopup(HMENU, bool /*systemMenu*/) { return false; }
    virtual bool OnContextMenu(HWND /*from*/, int /*screenX*/, int /*screenY*/) { return false; }
    virtual bool OnDropFiles(HDROP) { return false; }
    virtual bool OnCopyData(const COPYDATASTRUCT&, LRESULT&) { return false; }
    // WM_APP + `offset`, the private messages.
    virtual bool OnAppMessage(UINT /*offset*/, WPARAM, LPARAM, LRESULT&) { return false; }
    // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP.
    virtual bool OnKey(UINT /*message*/, WPARAM /*key*/, LPARAM /*flags*/) { return false; }
    virtual bool OnChar(WPARAM /*unit*/, LPARAM /*flags*/) { return false; }
    // Button, move and wheel messages of the client area.
    virtual bool OnMouse(UINT /*message*/, WPARAM, LPARAM) { return false; }
    virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
    // WM_VSCROLL and WM_HSCROLL: `request` is the SB_* code; `control` is
    // null for the window's own scroll bars.
    virtual bool OnScroll(bool /*vertical*/, WORD /*request*/, HWND /*control*/) { return false; }
    // WM_SETCURSOR: true when the handler set the pointer itself.
    virtual bool OnSetCursor(HWND /*over*/, UINT /*hitTest*/) { return false; }
    // WM_GETTEXT and WM_GETTEXTLENGTH, for windows whose text is not their title.
    virtual bool OnGetText(UINT /*message*/, WPARAM, LPARAM, LRESULT&) { return false; }
    // WM_IME_* messages.
    virtual bool OnImeMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT&) { return false; }
    // What tools send an edit control: WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR,
    // WM_UNDO and the EM_* messages.
    virtual bool OnEditMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT&) { return false; }
    // WM_DPICHANGED: the window's new DPI and the rectangle the system suggests for it.
    virtual bool OnDpiChanged(UINT /*dpi*/, const RECT& /*suggested*/) { return false; }
    // WM_SETTINGCHANGE: `action` the SPI_* code, `area` the named area ("ImmersiveColorSet"),
    // or empty; and WM_SYSCOLORCHANGE, with `action` 0 and `area` empty.
    virtual bool OnSettingChange(UINT /*action*/, const wchar_t* /*area*/) { return false; }

    // The default handling: the input-method manager, then the system.
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK InitialProcedure(HWND, UINT, WPARAM, LPARAM) noexcept;
    static LRESULT CALLBACK SharedProcedure(HWND, UINT, WPARAM, LPARAM) noexcept;
    // Offers the message to the named handler for it; false when none took it.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Cuts the window off from this object: later messages go to the default procedure.
    void Detach();

    static InputMethodManager* inputMethods_;
    const wchar_t* className_;
    DWORD style_;
    DWORD exStyle_;
};

}  // namespace pathbook
