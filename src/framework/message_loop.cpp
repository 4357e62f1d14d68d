#include "framework/message_loop.h"

namespace pathbook {

int RunMessageLoop(WindowBase& window, InputMethodManager& ime) {
    window.inLoop_ = true;
    ime.StartPump();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.PreTranslate(message)) continue;
        if (!ime.TranslateForPump(message)) TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ime.EndPump();
    window.inLoop_ = false;
    return static_cast<int>(message.wParam);
}

void ActivateWindow(HWND window) {
    // The window may be another process's, and that process hung: its restore is not waited for.
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup != nullptr ? popup : window);
}

}  // namespace pathbook
