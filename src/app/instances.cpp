#include "app/instances.h"

#include "app/framework/message_loop.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

HWND NextMainWindow(HWND after) { return FindWindowExW(nullptr, after, kMainWindowClass, nullptr); }

String ShortProgramPath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return String();
    wchar_t shortPath[MAX_PATH];
    DWORD shortLength = GetShortPathNameW(path, shortPath, MAX_PATH);
    const wchar_t* chosen = shortLength > 0 && shortLength < MAX_PATH ? shortPath : path;
    return String(platform::win32::Utf16(chosen));
}

}  // namespace

void LaunchInstance(const String& arguments) {
    String commandLine = ShortProgramPath() + u" " + arguments;
    STARTUPINFOW startup;
    GetStartupInfoW(&startup);
    RECT frame;
    HWND active = GetActiveWindow();
    if (active != nullptr && GetWindowRect(active, &frame)) {
        startup.dwFlags |= STARTF_USEPOSITION;
        startup.dwX = static_cast<DWORD>(frame.left + 20);
        startup.dwY = static_cast<DWORD>(frame.top + 20);
    }
    PROCESS_INFORMATION process;
    // CreateProcessW may write into the command line, so it gets a private buffer.
    if (CreateProcessW(nullptr, Wide(commandLine.WritableBuffer(commandLine.Length() + 1)), nullptr, nullptr, FALSE,
                       NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

bool RaiseRunningInstances() {
    bool any = false;
    for (HWND window = NextMainWindow(nullptr); window != nullptr; window = NextMainWindow(window)) {
        ActivateWindow(window);
        any = true;
    }
    return any;
}

}  // namespace pathbook
