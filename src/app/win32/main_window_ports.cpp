// What the main window does for the session: the save prompt, the file
// dialogs, failures, other instances and showing the document; and for an
// activated link: the editor, the shell, the question before a program runs.
#include <windows.h>
#include <shellapi.h>

#include "app/resource_ids.h"
#include "app/win32/file_dialog.h"
#include "app/win32/instances.h"
#include "app/win32/main_window.h"
#include "app/win32/reopen_dialog.h"
#include "app/win32/run_program_dialog.h"
#include "app/win32/string_resource.h"
#include "platform/file_names.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

// String `id` with its "%d" replaced by `number`.
String WithNumber(unsigned id, std::int32_t number) {
    std::u16string text(LoadStringResource(id).View());
    String digits;
    digits.AssignInt(number);
    const std::size_t at = text.find(u"%d");
    if (at != std::u16string::npos) text.replace(at, 2, digits.View());
    return String(text);
}

}  // namespace

SaveAnswer MainWindow::AskSave() {
    int answer = MessageBoxW(Handle(), Wide(LoadStringResource(IDS_SAVE_PROMPT).Chars()),
                             Wide(LoadStringResource(IDS_PRODUCT_NAME).Chars()), MB_ICONQUESTION | MB_YESNOCANCEL);
    if (answer == IDYES) return SaveAnswer::kYes;
    return answer == IDNO ? SaveAnswer::kNo : SaveAnswer::kCancel;
}

bool MainWindow::ChooseSavePath(SaveChoice& choice) {
    return ShowSaveDialog(Handle(), config_->Encodings(), session_.Folder(), choice);
}

bool MainWindow::ChooseOpenPath(const String& initialPath, const String& folder, OpenChoice& chosen) {
    return ShowOpenDialog(Handle(), config_->Encodings(), config_->Values().txtFilter, initialPath, folder, chosen);
}

bool MainWindow::ChooseReopenEncoding(CharsetId current, CharsetId& chosen) {
    ReopenDialog dialog(config_->Encodings(), current);
    if (dialog.RunModal(Handle()) != IDOK) return false;
    chosen = dialog.Chosen();
    return true;
}

void MainWindow::ReportFailure(Failure failure) {
    static constexpr unsigned kMessages[] = {IDS_OPEN_FAILED, IDS_SAVE_FAILED, IDS_TEXT_INCOMPLETE};
    const unsigned message = kMessages[static_cast<int>(failure)];
    MessageBoxW(Handle(), Wide(LoadStringResource(message).Chars()), nullptr, MB_OK);
}

bool MainWindow::ShowInSomeWindow(const String& path, CharsetId code) {
    return FindDocumentWindow(Handle(), path, code);
}

void MainWindow::LaunchInstance(const String& arguments) { pathbook::LaunchInstance(arguments); }

void MainWindow::DocumentShown() {
    editor_.Select(DocPos(), DocPos());
    editor_.View().SetLinkBase(std::u16string(session_.Folder().View()));
    RefreshTitle();
    UpdateHomeButton();
    UpdateNavButtons();
    notebook_.Follow();
}

void MainWindow::DocumentStateChanged() {
    editor_.View().SetLinkBase(std::u16string(session_.Folder().View()));
    RefreshTitle();
}

void MainWindow::DocumentSaved(const String& path) { notebook_.Saved(path); }

void MainWindow::CloseWindow() { DestroyWindow(Handle()); }

// A zero timer rather than a message posted per slice: posted messages come
// before input and WM_PAINT, so a chain of them would freeze the window.
void MainWindow::ContinueLoadLater() { SetTimer(Handle(), kLoadTimer, USER_TIMER_MINIMUM, nullptr); }

void MainWindow::ShowLoadProgress(std::uint32_t percent) { statusBar_.SetText(0, WithNumber(IDS_LOADING, static_cast<std::int32_t>(percent))); }

// The save runs inside one message: the window's pending paints are done here
// so that it stays drawn (a bounded number: a window that never validates would spin).
void MainWindow::ShowSaveProgress(std::uint32_t percent) {
    statusBar_.SetText(0, percent >= 100 ? String() : WithNumber(IDS_SAVING, static_cast<std::int32_t>(percent)));
    MSG message;
    for (int n = 0; n < 16 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++n) {
        DispatchMessageW(&message);
    }
}

void MainWindow::LoadEnded(LoadEnd how) {
    KillTimer(Handle(), kLoadTimer);
    editor_.View().SetLinkBase(std::u16string(session_.Folder().View()));
    RefreshTitle();
    UpdateHomeButton();
    UpdateNavButtons();
    statusBar_.SetText(0, how == LoadEnd::kComplete ? WithNumber(IDS_LOADED_LINES, static_cast<std::int32_t>(session_.Text().LineCount()))
                                                    : LoadStringResource(IDS_LOAD_STOPPED));
}

EditorViewSettings& MainWindow::View() { return editor_.View(); }

void MainWindow::OnLinkActivated(const String& baseFolder, const String& linkText) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    linkOpener_.Open(baseFolder, linkText);
    SetCursor(previous);
}

void MainWindow::OpenNote(const String& path) {
    // The linked note is detected afresh: it need not share the linking note's encoding.
    browser_.Open(OpenWay::kLink, String(platform::FullPathName(path.Chars())), charset::kAutoDetect);
}

void MainWindow::HandToShell(const String& target, const String& folder) {
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    // A failed hand-off is silent: no error box from the shell either. The
    // started program is not waited for until it is idle, which can take a
    // minute; only for at most 3 seconds once it runs.
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = L"open";
    run.lpFile = Wide(target.Chars());
    run.lpDirectory = folder.Empty() ? nullptr : Wide(folder.Chars());
    run.nShow = SW_SHOWNORMAL;
    // Again here: a question before the hand-off has shown its own pointer.
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    if (ShellExecuteExW(&run) && reinterpret_cast<INT_PTR>(run.hInstApp) > 32 && run.hProcess != nullptr) {
        WaitForSingleObject(run.hProcess, 3000);
    }
    if (run.hProcess != nullptr) CloseHandle(run.hProcess);
    SetCursor(previous);
}

RunAnswer MainWindow::AskBeforeRunning(const String& path, bool share) {
    RunProgramDialog question(path, share);
    question.RunModal(Handle());
    return question.Answer();
}

void MainWindow::ReportNotOpened(const String& target) {
    const String format = LoadStringResource(IDS_LINK_NOT_OPENED);
    std::u16string text(format.View());
    const std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos) text.replace(at, 2, target.View());
    statusBar_.SetText(0, String(text));
}

void MainWindow::OnOtherInstanceBusy() {
    // Waits during construction come before the window and its bars.
    if (Handle() != nullptr) statusBar_.SetText(0, LoadStringResource(IDS_INSTANCE_BUSY));
}

}  // namespace pathbook
