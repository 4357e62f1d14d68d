#include "framework/dialog.h"

namespace pathbook {

Dialog::~Dialog() {
    if (hwnd_ == nullptr) return;
    HWND dialog = hwnd_;
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    hwnd_ = nullptr;
    if (modeless_) {
        DestroyWindow(dialog);
    } else {
        EndDialog(dialog, IDCANCEL);
    }
}

INT_PTR Dialog::RunModal(HWND owner) {
    modeless_ = false;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId_), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
    modeless_ = true;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId_), owner, Procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(int result) {
    result_ = result;
    if (hwnd_ == nullptr) return;
    if (modeless_) {
        DestroyWindow(hwnd_);
    } else {
        EndDialog(hwnd_, result);
    }
}

bool Dialog::HandleCommand(WORD notifyCode, WORD id, HWND control) {
    if (id == IDOK) {
        if (OnOK()) End(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        if (OnCancel()) End(IDCANCEL);
        return true;
    }
    return OnCommand(notifyCode, id, control);
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->hwnd_ = hwnd;
        dialog->OnInit();
        return FALSE;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    switch (message) {
        case WM_DESTROY:
            dialog->OnDestroy();
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            if (dialog->inLoop_) PostQuitMessage(0);
            dialog->hwnd_ = nullptr;
            return TRUE;
        case WM_COMMAND:
            return dialog->HandleCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            // Only from the dialog's own controls, on this thread (see Window).
            if (lParam == 0 || InSendMessage()) return TRUE;
            return dialog->OnMessage(message, wParam, lParam);
        default: return dialog->OnMessage(message, wParam, lParam);
    }
}

void CenterWindow(HWND window, HWND over) {
    RECT area;
    if (over != nullptr) {
        GetWindowRect(over, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT frame;
    GetWindowRect(window, &frame);
    int x = area.left + ((area.right - area.left) - (frame.right - frame.left)) / 2;
    int y = area.top + ((area.bottom - area.top) - (frame.bottom - frame.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ForceForeground(HWND window) {
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    DWORD thisThread = GetCurrentThreadId();
    bool attached = foregroundThread != 0 && foregroundThread != thisThread &&
                    AttachThreadInput(thisThread, foregroundThread, TRUE);
    SetForegroundWindow(window);
    if (attached) AttachThreadInput(thisThread, foregroundThread, FALSE);
    BringWindowToTop(window);
}

}  // namespace pathbook
