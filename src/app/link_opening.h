// What activating a link does with its target, decided without a window. A
// linked note (a .txt file) opens in the editor; a web address, a folder or a
// document goes to the shell; a program, script, installer or shortcut is
// handed over only once the user said so: the window asks, showing the
// resolved path, and its default answer (Enter, Escape) leaves it closed, with
// the containing folder offered instead; anything else is not opened and the
// user is told. Nothing is opened unless a link was activated. Tested by
// link_opening_test.cpp.
#pragma once

#include "runtime/string.h"

namespace pathbook {

// The answers to "run this program?"; kCancel is the default.
enum class RunAnswer { kCancel, kRun, kOpenFolder };

// What the decision asks of the window. Called on the UI thread.
class LinkOpenPorts {
public:
    virtual ~LinkOpenPorts() = default;
    // Opens the linked note `path` as every other document opens.
    virtual void OpenNote(const String& path) = 0;
    // The shell's "open" of `target`, started in `folder` (empty: none of its own).
    virtual void HandToShell(const String& target, const String& folder) = 0;
    // Asks before running the program at `path` (`share`: it lies on another machine).
    virtual RunAnswer AskBeforeRunning(const String& path, bool share) = 0;
    // Tells the user that the link to `target` was not opened.
    virtual void ReportNotOpened(const String& target) = 0;
};

class LinkOpener {
public:
    // `ports` outlives the opener.
    explicit LinkOpener(LinkOpenPorts& ports) : ports_(ports) {}

    // Opens the target of `linkText` read against `baseFolder`. While the
    // question about a program is open, another activation opens nothing.
    void Open(const String& baseFolder, const String& linkText);

private:
    void AskAndRun(const String& path, bool share);

    LinkOpenPorts& ports_;
    bool asking_ = false;
};

}  // namespace pathbook
