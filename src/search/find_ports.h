// What the find commands need from outside the core: the find dialog with its
// messages. The window layer implements it; tests and pathbook-tool use their own.
#pragma once

#include <cstdint>

#include "runtime/string.h"

namespace pathbook::search {

// The contents of the find dialog.
struct FindDialogTexts {
    String findText;
    String replaceText;
    bool ignoreCase = true;
    bool regExp = false;
};

class FindDialogPort {
public:
    virtual ~FindDialogPort() = default;
    // The dialog's current texts and options; false when no dialog is open.
    virtual bool ReadTexts(FindDialogTexts& texts) = 0;
    // "Not Found." (string 8): nothing in the search direction.
    virtual void ReportNotFound() {}
    // "%d times Replaced." (string 9) with `count`, which may be 0.
    virtual void ReportReplaced(std::int32_t count) { static_cast<void>(count); }
    // Replace All closes the dialog when it replaced something.
    virtual void CloseDialog() {}
    // Replace All was refused: editing is locked.
    virtual void ReportLocked() {}
};

}  // namespace pathbook::search
