// How one instance of the program addresses the others: they find each other
// by the main window class.
#pragma once

#include <windows.h>

#include "runtime/string.h"

namespace pathbook {

inline constexpr wchar_t kMainWindowClass[] = L"Pathbook MainWnd";

// Starts a new process of the program: its own short path, a space, then
// `arguments` verbatim. A failure to start is silent.
void LaunchInstance(const String& arguments);

// Restores and raises every main window; false when there is none.
bool RaiseRunningInstances();

}  // namespace pathbook
