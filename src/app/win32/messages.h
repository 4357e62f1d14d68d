// The private window messages between instances.
#pragma once

#include <windows.h>

namespace pathbook {

// Sent to every main window: reload the history, rebuild its menu, refresh ＜ ＞.
constexpr UINT kHistoryChanged = WM_APP;
// Sent to every main window: reload the favourites and refresh the home button.
constexpr UINT kFavoritesChanged = WM_APP + 1;
// Posted by the window's notebook: wParam notes of lParam read so far.
constexpr UINT kNotebookProgress = WM_APP + 2;
// Posted by the window's notebook: its index is new.
constexpr UINT kNotebookChanged = WM_APP + 3;
// Posted by a main window to itself when activated: has its file changed on the disk?
constexpr UINT kCheckFileOnDisk = WM_APP + 23;
}  // namespace pathbook
