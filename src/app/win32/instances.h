// How one instance of the program addresses the others: they find each other
// by the main window class. Every search asks all main windows, wherever they
// stand in the system's window order. No message to another instance waits
// long: a hung instance is skipped at once, a slow one after 3 seconds.
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

inline constexpr wchar_t kMainWindowClass[] = L"Pathbook MainWnd";

// Every main window, topmost first.
std::vector<HWND> MainWindows();

// Starts a new process of the program: its own path (short form, quoted), a
// space, then `arguments` verbatim. When the calling thread has an active
// window the new one is placed 20 pixels right of and below it. A failure to
// start is silent.
void LaunchInstance(const String& arguments);

// Restores and raises every main window; false when there is none.
bool RaiseRunningInstances();

// Offers the document to `own` first, then to every other main window; the
// first that shows it is restored and brought forward. False when none does
// (a window that does not answer in time shows nothing).
bool FindDocumentWindow(HWND own, const String& path, CharsetId charset);

// Sends `message` (both parameters 0) to every main window, waiting for each
// within the bound.
void BroadcastToInstances(UINT message);

// Whether some main window other than `own` owns a pop-up titled `title`; if
// so that window is restored and its pop-up brought forward (or, while the
// pop-up waits for a window of its own, that window).
bool RaiseDialogElsewhere(HWND own, const wchar_t* title);

}  // namespace pathbook
