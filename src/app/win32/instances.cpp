#include "app/win32/instances.h"

#include "framework/dialog.h"
#include "framework/message_loop.h"
#include "platform/file_names.h"
#include "platform/process.h"
#include "platform/program_folders.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

// How long another instance may take to answer. A window that has not looked
// at its messages for a while (hung) is not waited for at all.
constexpr UINT kAnswerMilliseconds = 3000;

// SendMessageW bounded: false when the window did not answer in time.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMilliseconds, answer) != 0;
}

// The program's own path as the first word of a command line: short form, quoted.
std::u16string QuotedProgramPath(const std::u16string& program) {
    const std::u16string shortPath = platform::ShortPathName(program.c_str());
    return u"\"" + (shortPath.empty() ? program : shortPath) + u"\"";
}

}  // namespace

std::vector<HWND> MainWindows() {
    std::vector<HWND> windows;
    for (HWND window = FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) {
        windows.push_back(window);
    }
    return windows;
}

void LaunchInstance(const String& arguments) {
    const std::u16string program = platform::ProgramFolderPath(platform::ProgramFolder::kProgramFile);
    if (program.empty()) return;
    platform::WindowPosition position;
    RECT frame;
    HWND active = GetActiveWindow();
    if (active != nullptr && GetWindowRect(active, &frame)) position = {true, frame.left + 20, frame.top + 20};
    // The program is named explicitly, so the command line cannot start another one.
    platform::StartProcess(program, QuotedProgramPath(program) + u" " + std::u16string(arguments.View()), {},
                           position);
}

bool RaiseRunningInstances() {
    std::vector<HWND> windows = MainWindows();
    for (HWND window : windows) ActivateWindow(window);
    return !windows.empty();
}

bool FindDocumentWindow(HWND own, const String& path, CharsetId charset) {
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(charset));
    data.cbData = static_cast<DWORD>((path.Length() + 1) * 2);
    data.lpData = const_cast<char16_t*>(path.Chars());
    std::vector<HWND> candidates{own};
    for (HWND window : MainWindows()) {
        if (window != own) candidates.push_back(window);
    }
    for (HWND window : candidates) {
        DWORD_PTR answer = 0;
        if (window == nullptr) continue;
        if (SendBounded(window, WM_COPYDATA, reinterpret_cast<WPARAM>(own), reinterpret_cast<LPARAM>(&data), &answer) &&
            answer != 0) {
            ActivateWindow(window);
            return true;
        }
    }
    return false;
}

void BroadcastToInstances(UINT message) {
    DWORD_PTR answer = 0;
    for (HWND window : MainWindows()) SendBounded(window, message, 0, 0, &answer);
}

bool RaiseDialogElsewhere(HWND own, const wchar_t* title) {
    // Every top-level window with the title is looked at, since the last active
    // pop-up of another process's window is not always known here.
    for (HWND popup = FindWindowExW(nullptr, nullptr, nullptr, title); popup != nullptr;
         popup = FindWindowExW(nullptr, popup, nullptr, title)) {
        HWND owner = GetWindow(popup, GW_OWNER);
        if (owner == nullptr || owner == own || !IsWindowVisible(popup)) continue;
        wchar_t className[32] = {};
        GetClassNameW(owner, className, 32);
        if (lstrcmpW(className, kMainWindowClass) != 0) continue;
        if (IsIconic(owner)) ShowWindow(owner, SW_RESTORE);
        // A dialog disabled by one of its own (a file dialog, a message) is still
        // the one open: what it waits for comes forward.
        ForceForeground(IsWindowEnabled(popup) ? popup : GetLastActivePopup(popup));
        return true;
    }
    return false;
}

}  // namespace pathbook
