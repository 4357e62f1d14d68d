// What the main window asks and tells so that a save never loses a character
// or another program's text: the lossy-save dialog, the questions about a
// file changed on the disk or loaded inexactly, failed saves with the
// system's reason, and the status-bar words after a load.
#include <windows.h>

#include "app/lost_text.h"
#include "app/resource_ids.h"
#include "app/win32/lossy_save_dialog.h"
#include "app/win32/main_window.h"
#include "app/win32/string_resource.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

// The status-bar word of each LoadNotice, in its order.
constexpr unsigned kNoticeText[] = {IDS_NOTICE_RELOADED, IDS_NOTICE_REPLACED_BYTES, IDS_NOTICE_HELD_NUL};

String WithPath(unsigned format, const String& path) {
    std::u16string text(LoadStringResource(format).View());
    const std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos) text.replace(at, 2, path.View());
    return String(text);
}

// The lines below "could not save" that say why.
String FailureDetail(const SaveFailureReport& report) {
    String detail;
    const auto addLine = [&detail](const String& line) {
        if (line.Empty()) return;
        if (!detail.Empty()) detail.Append(u"\r\n");
        detail.Append(line);
    };
    if (report.failure == SaveFailure::kConversionFailed) addLine(LoadStringResource(IDS_SAVE_CONVERSION_FAILED));
    addLine(report.reason);
    if (report.failure == SaveFailure::kBothKept) {
        addLine(WithPath(IDS_SAVE_NEW_KEPT, report.newFile));
        if (!report.oldFile.Empty()) addLine(WithPath(IDS_SAVE_OLD_KEPT, report.oldFile));
    }
    return detail;
}

}  // namespace

int MainWindow::AskBox(unsigned text, UINT style) {
    return MessageBoxW(Handle(), Wide(LoadStringResource(text).Chars()),
                       Wide(LoadStringResource(IDS_PRODUCT_NAME).Chars()), style);
}

LossAnswer MainWindow::AskLossySave(const std::vector<LostCharacter>& lost, bool offerUtf8) {
    LossySaveDialog question(DescribeLostCharacters(LoadStringResource(IDS_LOST_CHARACTER), lost), offerUtf8);
    question.RunModal(Handle());
    return question.Answer();
}

ChangedFileAnswer MainWindow::AskChangedOnDisk() {
    switch (AskBox(IDS_SAVE_CHANGED_ON_DISK, MB_ICONWARNING | MB_YESNOCANCEL | MB_DEFBUTTON3)) {
        case IDYES: return ChangedFileAnswer::kOverwrite;
        case IDNO: return ChangedFileAnswer::kReload;
        default: return ChangedFileAnswer::kCancel;
    }
}

bool MainWindow::AskReloadChanged() {
    return AskBox(IDS_RELOAD_CHANGED, MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

bool MainWindow::AskOverwriteInexact(LoadNotice notice) {
    const unsigned text = notice == LoadNotice::kHeldNul ? IDS_OVERWRITE_HELD_NUL : IDS_OVERWRITE_REPLACED;
    return AskBox(text, MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void MainWindow::ReportSaveFailure(const SaveFailureReport& report) {
    String text = LoadStringResource(IDS_SAVE_FAILED);
    const String detail = FailureDetail(report);
    if (!detail.Empty()) text.Append(u"\r\n\r\n" + detail);
    MessageBoxW(Handle(), Wide(text.Chars()), nullptr, MB_OK | MB_ICONERROR);
}

void MainWindow::ShowLoadNotice(LoadNotice notice) {
    statusBar_.SetText(0, LoadStringResource(kNoticeText[static_cast<int>(notice)]));
}

}  // namespace pathbook
