// The commands that need the main window itself: its dialogs, bars, clock and
// neighbours. The main window implements it; the command table calls it.
#pragma once

#include "app/grep_command.h"
#include "config/list_write.h"
#include "runtime/string.h"

namespace pathbook {

class WindowCommands {
public:
    virtual ~WindowCommands() = default;
    virtual void NewWindow() = 0;
    // Exit: keeps the window's own settings, then ends the session.
    virtual void Close() = 0;
    // Find (Ctrl+F) and Find Next / Find Prev (F3, Shift+F3).
    virtual void OpenFind() = 0;
    virtual void FindAgain(bool forward) = 0;
    // Jump to line: the dialog, then the editor.
    virtual void JumpToLine() = 0;
    virtual void EditSettings() = 0;
    virtual void ManageFavorites() = 0;
    virtual void ToggleStatusBar() = 0;
    virtual void About() = 0;
    // Brings the next (or previous) main window forward.
    virtual void SwitchWindow(bool next) = 0;
    // Starts a program of its own, not waited for; a failure is silent.
    virtual void StartProgram(const ProgramStart& start) = 0;
    // The time and date to insert: "HH:mm yy/MM/dd" in the user's locale.
    virtual String DateTimeText() = 0;
    // The document-type menu follows the current type.
    virtual void DocTypesChanged() = 0;
    // The favourites file could not be written.
    virtual void ReportFavoriteNotStored() = 0;
    // Clear History could not write the emptied history; `why` is not kWritten.
    virtual void ReportHistoryNotCleared(ListWrite why) = 0;
};

}  // namespace pathbook
