// The input-method manager: the Active Input Method Manager when it can be
// created, the plain input-method calls otherwise. Every operation works in
// both cases; creation failing only means the plain calls are used.
#pragma once

#include <windows.h>

struct IActiveIMMApp;
struct IActiveIMMMessagePumpOwner;

namespace pathbook {

class InputMethodManager {
public:
    InputMethodManager() = default;
    ~InputMethodManager() { Release(); }
    InputMethodManager(const InputMethodManager&) = delete;
    InputMethodManager& operator=(const InputMethodManager&) = delete;

    // Creates the manager object; COM must be initialised.
    void Create();
    void Release();

    void Activate(bool on);
    void StartPump();
    void EndPump();
    // True when the manager translated the message itself.
    bool TranslateForPump(const MSG& message);
    // Offers a message to the manager's default procedure; false when declined.
    bool DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    IActiveIMMApp* app_ = nullptr;
    IActiveIMMMessagePumpOwner* pump_ = nullptr;
};

}  // namespace pathbook
