// Which menu items are enabled, checked or radio-marked, decided from the
// window's state by the rules of the command table (command_table.cpp). The
// main window applies the result. Tested by main_window_rules_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "document/link_recognition.h"

namespace pathbook {

struct MenuInputs {
    bool selectionEmpty = true;
    bool canUndo = false;
    bool canRedo = false;
    bool untitled = true;
    bool modified = false;
    bool locked = false;          // the no-editing state
    bool grepConfigured = false;  // GrepExe is not empty
    std::int32_t wrapMode = -1;
    bool statusBarShown = true;
    bool pathIsFavorite = false;
    LinkKind linkAtCaret = LinkKind::kNone;
};

struct ItemState {
    std::int32_t id;
    bool enabled;
    bool checked;
    bool checkable;  // the item carries a check mark, set or cleared
};

struct MenuStates {
    std::vector<ItemState> items;
    std::int32_t radioChecked = 0;  // the wrap item with the radio mark; 0 = none set
};

// The menu bar being entered (`full`), or a drop-down about to show (not full):
// the edit items always; with `full` also save, reopen, grep, the no-editing
// check, the status-bar check, add-to-favourites and the wrap radio mark.
MenuStates MenuBarStates(const MenuInputs& in, bool full);

// A pop-up opening: the edit items, the link items, and the items that change
// the text, which the no-editing state disables.
MenuStates PopupStates(const MenuInputs& in);

}  // namespace pathbook
