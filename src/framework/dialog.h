// Dialog objects over dialog templates: one dialog procedure finds the object
// (passed at creation, kept in the dialog's user data) and calls its named
// handlers. OK and Cancel end the dialog unless OnOK / OnCancel decline.
#pragma once

#include <windows.h>

#include "framework/window.h"

namespace pathbook {

class Dialog : public WindowBase {
public:
    explicit Dialog(int resourceId) : resourceId_(resourceId) {}
    // A modeless dialog still open is cut off from this object and destroyed
    // (its handlers do not run).
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the template modally; returns the value End was given (-1 when the
    // dialog could not be made).
    INT_PTR RunModal(HWND owner);
    // Creates the dialog without waiting; false when it could not be made.
    bool CreateModeless(HWND owner);
    // Records `result`; a modeless dialog destroys its window, a modal one ends its loop.
    void End(int result);
    int Result() const { return result_; }
    bool IsModeless() const { return modeless_; }

    // The system's dialog-message handling (keyboard navigation) for this dialog.
    bool PreTranslate(MSG& message) override {
        return hwnd_ != nullptr && IsDialogMessageW(hwnd_, &message);
    }

protected:
    // The focus is not set for the dialog: set it here when one is needed.
    virtual void OnInit() {}
    virtual void OnDestroy() {}
    // False keeps the dialog open.
    virtual bool OnOK() { return true; }
    virtual bool OnCancel() { return true; }
    virtual bool OnCommand(WORD /*notifyCode*/, WORD /*id*/, HWND /*control*/) { return false; }
    // Any other message; true when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM) { return false; }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

private:
    static INT_PTR CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM) noexcept;
    bool HandleCommand(WORD notifyCode, WORD id, HWND control);

    int resourceId_;
    bool modeless_ = false;
    int result_ = 0;
};

// Places `window` centred over `over` (the work area when null) without
// changing its size or z-order.
void CenterWindow(HWND window, HWND over);

// Makes `window` the foreground window even when another thread owns the
// foreground, then brings it to the top.
void ForceForeground(HWND window);

}  // namespace pathbook
