// The private window messages between instances and inside one.
#pragma once

#include <windows.h>

namespace pathbook {

// Sent to every main window: reload the history, rebuild its menu, refresh ＜ ＞.
constexpr UINT kHistoryChanged = WM_APP;
// Sent to every main window: reload the favourites and refresh the home button.
constexpr UINT kFavoritesChanged = WM_APP + 1;
// Sent by this window's editor: wParam = status part and drawing flags, lParam = text.
constexpr UINT kStatusText = WM_APP + 2;

}  // namespace pathbook
