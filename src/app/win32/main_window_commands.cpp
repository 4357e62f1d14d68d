// The commands that need the main window itself: its dialogs, the bars, the
// clock, other programs and the other instances.
#include <windows.h>

#include "app/resource_ids.h"
#include "app/win32/favorites_dialog.h"
#include "app/win32/instances.h"
#include "app/win32/jump_dialog.h"
#include "app/win32/main_window.h"
#include "app/win32/settings_dialog.h"
#include "app/win32/string_resource.h"
#include "app/window_order.h"
#include "platform/process.h"
#include "platform/program_folders.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

// The "FileVersion" of the program's own version resource; empty without one.
String FileVersion() {
    const std::u16string path = platform::ProgramFolderPath(platform::ProgramFolder::kProgramFile);
    if (path.empty()) return String();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(Wide(path.c_str()), &handle);
    if (size == 0) return String();
    std::u16string data(size / 2 + 1, u'\0');
    if (!GetFileVersionInfoW(Wide(path.c_str()), 0, size, data.data())) return String();
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 4) {
        return String();
    }
    wchar_t block[64];
    wsprintfW(block, L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    wchar_t* version = nullptr;
    if (!VerQueryValueW(data.data(), block, reinterpret_cast<void**>(&version), &length) || version == nullptr) {
        return String();
    }
    return String(Utf16(version), static_cast<std::int32_t>(length > 256 ? 256 : lstrlenW(version)));
}

void BringForward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

}  // namespace

void MainWindow::NewWindow() { pathbook::LaunchInstance(u"-n"); }

void MainWindow::Close() {
    config_->SaveSearchOptions(find_.Options());
    session_.Exit();
}

void MainWindow::OpenFind() { find_.Open(Handle()); }

void MainWindow::FindAgain(bool forward) { find_.FindAgain(Handle(), forward); }

void MainWindow::JumpToLine() {
    JumpDialog dialog;
    if (dialog.RunModal(Handle()) == IDOK) editor_.JumpToLine(dialog.Line());
}

void MainWindow::EditSettings() {
    if (RaiseDialogElsewhere(Handle(), Wide(LoadStringResource(IDS_SETTINGS_TITLE).Chars()))) return;
    SettingsDialog dialog(*config_);
    if (dialog.RunModal(Handle()) != IDOK) return;
    RebuildDocTypeMenu();
    RebuildHistoryMenu();
    editor_.View().SetSingleClick(config_->Values().singleClick);
    session_.ApplyDocType();
}

void MainWindow::ManageFavorites() {
    FavoritesOutcome outcome = RunFavoritesDialog(Handle(), *config_, favorites_, session_.Folder());
    if (outcome.open) browser_.Open(OpenWay::kFavorite, outcome.chosen.path, outcome.chosen.code);
}

void MainWindow::ToggleStatusBar() {
    bool shown = !statusBar_.Visible();
    statusBar_.Show(shown);
    config_->Values().statusBar = shown;
    // Only this key: the other settings in the file may be newer than ours.
    config_->Ini().PutBool(u"StatusBar", shown);
    if (!IsIconic(Handle())) Layout();
}

void MainWindow::About() {
    String format = LoadStringResource(IDS_ABOUT_TITLE);
    String version = FileVersion();
    std::u16string title;
    std::u16string_view text = format.View();
    std::size_t at = text.find(u"%s");
    title.append(text.substr(0, at));
    if (at != std::u16string_view::npos) {
        title.append(version.View());
        title.append(text.substr(at + 2));
    }
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle(), GCLP_HICON));
    ShellAboutW(Handle(), Wide(title.c_str()), Wide(LoadStringResource(IDS_ABOUT_NOTICE).Chars()), icon);
}

void MainWindow::SwitchWindow(bool next) {
    std::vector<HWND> windows = MainWindows();
    std::size_t self = 0;
    while (self < windows.size() && windows[self] != Handle()) ++self;
    WindowSwitch choice = next ? ChooseNextWindow(windows.size(), self) : ChoosePreviousWindow(windows.size(), self);
    if (choice.none) return;
    if (choice.sendSelfToBottom) {
        SetWindowPos(Handle(), windows.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    BringForward(windows[choice.raise]);
}

void MainWindow::StartProgram(const ProgramStart& start) {
    platform::StartProcess(start.program.View(), start.commandLine.View(), start.folder.View());
}

String MainWindow::DateTimeText() {
    wchar_t time[256] = {};
    wchar_t date[256] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"HH:mm ", time, 255);
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"yy/MM/dd", date, 255);
    return String(Utf16(time)) + Utf16(date);
}

void MainWindow::DocTypesChanged() { RebuildDocTypeMenu(); }

void MainWindow::ReportHistoryNotCleared(ListWrite why) {
    String text = LoadStringResource(IDS_HISTORY_NOT_CLEARED);
    if (why == ListWrite::kUnreadable || why == ListWrite::kLocked) {
        text.Append(u"\r\n\r\n" + LoadStringResource(why == ListWrite::kLocked ? IDS_LIST_LOCKED : IDS_LIST_UNREADABLE));
    }
    MessageBoxW(Handle(), Wide(text.Chars()), nullptr, MB_OK | MB_ICONWARNING);
}

void MainWindow::ReportFavoriteNotStored() {
    MessageBoxW(Handle(), Wide(LoadStringResource(IDS_FAVORITE_NOT_STORED).Chars()), nullptr, MB_OK | MB_ICONWARNING);
}

}  // namespace pathbook
