// The colours Windows asks applications to use: dark when the user chose the
// dark mode for apps (AppsUseLightTheme = 0), the system's own colours while
// high contrast is on; and the title bar that goes with them.
#pragma once

#include <windows.h>

#include "config/view_palette.h"

namespace pathbook {

// High contrast first, then the apps' light or dark mode (light when the
// system has no such setting).
ColorScheme CurrentColorScheme();
// The colours high contrast draws with.
SystemColors CurrentSystemColors();
// Whether a WM_SETTINGCHANGE may have changed the scheme: the immersive colour
// set (the dark mode switch) or high contrast; or WM_SYSCOLORCHANGE (`action`
// 0, `area` empty).
bool ChangesColorScheme(UINT action, const wchar_t* area);
// Asks the window manager for a dark title bar (DWMWA_USE_IMMERSIVE_DARK_MODE),
// where the system has one; nothing elsewhere.
void UseDarkTitleBar(HWND window, bool dark);

}  // namespace pathbook
