// Next and previous window: which main window to raise, from the main windows
// in the system's order (topmost first). Tested by main_window_rules_test.cpp.
#pragma once

#include <cstddef>
#include <vector>

namespace pathbook {

struct WindowSwitch {
    std::size_t raise = 0;         // index of the window to restore and bring to the top
    bool sendSelfToBottom = false;  // first place this window behind the last one
    bool none = true;               // nothing to do
};

// The window after `self`; this window first goes behind the last one unless
// the next one is the last. Nothing when `self` is the last (or unknown).
WindowSwitch ChooseNextWindow(std::size_t count, std::size_t self);

// The window before `self`, or the last one when `self` is the first; nothing
// when `self` is also the last (or unknown).
WindowSwitch ChoosePreviousWindow(std::size_t count, std::size_t self);

}  // namespace pathbook
