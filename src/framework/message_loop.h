// The message loop of the program's one top-level window.
#pragma once

#include "framework/input_method.h"
#include "framework/window.h"

namespace pathbook {

// Runs until `window` is destroyed. Each message is first offered to the
// window's PreTranslate, then to the input-method pump, then translated and
// dispatched. Returns the quit code.
int RunMessageLoop(WindowBase& window, InputMethodManager& inputMethods);

// Restores `window` if it is minimised and brings its last active pop-up (the
// window itself when it has none) to the foreground.
void ActivateWindow(HWND window);

}  // namespace pathbook
