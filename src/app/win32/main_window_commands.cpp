// The command table of the main window and the commands that live in the shell.
#include <windows.h>

#include "app/command_ids.h"
#include "app/win32/favorites_dialog.h"
#include "app/grep_command.h"
#include "app/win32/instances.h"
#include "app/win32/jump_dialog.h"
#include "app/win32/main_window.h"
#include "app/resource_ids.h"
#include "app/win32/settings_dialog.h"
#include "app/win32/string_resource.h"
#include "app/window_order.h"
#include "config/apply_to_editor.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

String CurrentDirectory() {
    wchar_t folder[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? String(Utf16(folder)) : String();
}

void StartProcess(String commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (CreateProcessW(nullptr, Wide(commandLine.WritableBuffer(commandLine.Length() + 1)), nullptr, nullptr, FALSE,
                       NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// The "FileVersion" of the program's own version resource; empty without one.
String FileVersion() {
    wchar_t path[MAX_PATH];
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) return String();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) return String();
    std::u16string data(size / 2 + 1, u'\0');
    if (!GetFileVersionInfoW(path, 0, size, data.data())) return String();
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

// The editor's own link commands.
constexpr WORD kLinkCommands[] = {IDM_OPEN_LINK,      IDM_OPEN_LOCATION, IDM_NEXT_LINE_LINK,
                                  IDM_PREV_LINE_LINK, IDM_PREV_LINK,     IDM_NEXT_LINK};

struct MainWindow::CommandEntry {
    WORD id;
    void (MainWindow::*run)();
};

const MainWindow::CommandEntry MainWindow::kCommands[] = {
    {IDM_HOME, &MainWindow::GoHome},
    {IDM_REOPEN, &MainWindow::Reopen},
    {IDM_NEW_FILE, &MainWindow::NewFile},
    {IDM_OPEN, &MainWindow::OpenFile},
    {IDM_SAVE, &MainWindow::SaveCommand},
    {IDM_SAVE_AS, &MainWindow::SaveAsCommand},
    {IDM_EXIT, &MainWindow::Exit},
    {IDM_UNDO, &MainWindow::Undo},
    {IDM_REDO, &MainWindow::Redo},
    {IDM_CUT, &MainWindow::Cut},
    {IDM_COPY, &MainWindow::Copy},
    {IDM_PASTE, &MainWindow::Paste},
    {IDM_DELETE, &MainWindow::DeleteSelection},
    {IDM_SELECT_ALL, &MainWindow::SelectAll},
    {IDM_NO_WRAP, &MainWindow::NoWrap},
    {IDM_WRAP_WIDTH, &MainWindow::WrapAtWidth},
    {IDM_WRAP_EDGE, &MainWindow::WrapAtEdge},
    {IDM_SETTINGS, &MainWindow::EditSettings},
    {IDM_JUMP, &MainWindow::JumpToLine},
    {IDM_FIND, &MainWindow::OpenFind},
    {IDM_FIND_NEXT, &MainWindow::FindNext},
    {IDM_FIND_PREV, &MainWindow::FindPrev},
    {IDM_INSERT_DATE_TIME, &MainWindow::InsertDateTime},
    {IDM_NEXT_WINDOW, &MainWindow::NextWindow},
    {IDM_PREV_WINDOW, &MainWindow::PreviousWindow},
    {IDM_GREP, &MainWindow::Grep},
    {IDM_STATUS_BAR, &MainWindow::ToggleStatusBar},
    {IDM_ABOUT, &MainWindow::About},
    {IDM_ADD_FAVORITE, &MainWindow::AddToFavorites},
    {IDM_FAVORITES, &MainWindow::ManageFavorites},
    {IDM_NO_EDITING, &MainWindow::ToggleNoEditing},
    {IDM_BACK, &MainWindow::GoBack},
    {IDM_FORWARD, &MainWindow::GoForward},
    {IDM_CLEAR_HISTORY, &MainWindow::ClearHistory},
};

bool MainWindow::OnCommand(WORD id, WORD, HWND control) {
    if (control != nullptr && control == menuBar_.Handle() && menuBar_.DropsDownOnClick(id)) {
        DropDown(id);
        return true;
    }
    if (control != nullptr && control != menuBar_.Handle()) return false;
    for (WORD linkCommand : kLinkCommands) {
        if (linkCommand != id) continue;
        editor_->RunLinkCommand(id);
        return true;
    }
    for (const CommandEntry& entry : kCommands) {
        if (entry.id != id) continue;
        (this->*entry.run)();
        return true;
    }
    return RunDynamicCommand(id);
}

bool MainWindow::RunDynamicCommand(int id) {
    DynamicCommand command = DecodeDynamicCommand(id);
    switch (command.family) {
        case CommandFamily::kHistory: browser_.OpenHistory(command.n); return true;
        case CommandFamily::kFavorite: browser_.OpenFavorite(command.n); return true;
        case CommandFamily::kDocType:
            config_->DocTypes().Select(static_cast<std::size_t>(command.n));
            RebuildDocTypeMenu();
            ApplyDocType();
            return true;
        case CommandFamily::kNone: return false;
    }
    return false;
}

void MainWindow::NewFile() { LaunchInstance(u"-n"); }

void MainWindow::SaveCommand() { Save(); }

// The editing commands refuse while editing is locked: an accelerator reaches
// them even when the menu item is greyed.
void MainWindow::Undo() {
    if (!Locked()) editor_->Undo();
}
void MainWindow::Redo() {
    if (!Locked()) editor_->Redo();
}
void MainWindow::Cut() {
    if (!Locked()) editor_->Cut();
}
void MainWindow::Copy() { editor_->Copy(); }
void MainWindow::Paste() {
    if (!Locked()) editor_->Paste();
}
void MainWindow::DeleteSelection() {
    if (!Locked()) editor_->DeleteSelection();
}
void MainWindow::SelectAll() { editor_->SelectAll(); }

void MainWindow::InsertDateTime() {
    if (Locked()) return;
    wchar_t time[256] = {};
    wchar_t date[256] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"HH:mm ", time, 255);
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"yy/MM/dd", date, 255);
    editor_->InsertText(String(String(Utf16(time)) + Utf16(date)).View());
}

void MainWindow::SetWrap(std::int32_t wrap) {
    wrapMode_ = wrap;
    editor_->SettingsForView().SetWrap(wrap);
}
void MainWindow::NoWrap() { SetWrap(WrapValueFor(WrapCommand::kNoWrap, config_->DocTypes().Current())); }
void MainWindow::WrapAtWidth() { SetWrap(WrapValueFor(WrapCommand::kFixedWidth, config_->DocTypes().Current())); }
void MainWindow::WrapAtEdge() { SetWrap(WrapValueFor(WrapCommand::kWindowEdge, config_->DocTypes().Current())); }

void MainWindow::EditSettings() {
    if (RaiseDialogElsewhere(Handle(), Wide(LoadStringResource(IDS_SETTINGS_TITLE).Chars()))) return;
    SettingsDialog dialog(*config_);
    if (dialog.RunModal(Handle()) != IDOK) return;
    RebuildDocTypeMenu();
    RebuildHistoryMenu();
    ApplyDocType();
}

void MainWindow::JumpToLine() {
    JumpDialog dialog;
    if (dialog.RunModal(Handle()) == IDOK) editor_->JumpToLine(dialog.Line());
}

void MainWindow::OpenFind() { find_.Open(Handle()); }
void MainWindow::FindNext() { find_.FindAgain(Handle(), true); }
void MainWindow::FindPrev() { find_.FindAgain(Handle(), false); }

void MainWindow::NextWindow() {
    std::vector<HWND> windows = MainWindows();
    std::size_t self = 0;
    while (self < windows.size() && windows[self] != Handle()) ++self;
    WindowSwitch choice = ChooseNextWindow(windows.size(), self);
    if (choice.none) return;
    if (choice.sendSelfToBottom) {
        SetWindowPos(Handle(), windows.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    BringForward(windows[choice.raise]);
}

void MainWindow::PreviousWindow() {
    std::vector<HWND> windows = MainWindows();
    std::size_t self = 0;
    while (self < windows.size() && windows[self] != Handle()) ++self;
    WindowSwitch choice = ChoosePreviousWindow(windows.size(), self);
    if (!choice.none) BringForward(windows[choice.raise]);
}

void MainWindow::Grep() {
    const String& pattern = config_->Values().grepExe;
    if (pattern.Empty()) return;
    StartProcess(ExpandGrepCommand(pattern, filePath_, CurrentDirectory()));
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

void MainWindow::ToggleNoEditing() {
    editor_->SetReadOnly(!editor_->ReadOnly());
    RefreshTitle();
}

void MainWindow::AddToFavorites() {
    if (filePath_.Empty()) return;
    if (browser_.AddToFavorites(filePath_, charset_) == AddFavoriteResult::kNotStored) {
        MessageBoxW(Handle(), Wide(LoadStringResource(IDS_FAVORITE_NOT_STORED).Chars()), nullptr, MB_OK | MB_ICONWARNING);
    }
}
void MainWindow::ManageFavorites() {
    FavoritesOutcome outcome = RunFavoritesDialog(Handle(), *config_, favorites_);
    if (outcome.open) browser_.Open(OpenWay::kFavorite, outcome.chosen.path, outcome.chosen.code);
}
void MainWindow::GoHome() { browser_.GoHome(filePath_); }
void MainWindow::GoBack() { browser_.GoBack(filePath_); }
void MainWindow::GoForward() { browser_.GoForward(filePath_); }
void MainWindow::ClearHistory() { browser_.ClearHistoryCommand(); }

}  // namespace pathbook
