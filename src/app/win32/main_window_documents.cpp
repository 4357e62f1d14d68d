// The main window's document: loading, the new document, saving, the save
// prompt, exit, and links handed on by the editor.
#include <windows.h>
#include <shellapi.h>

#include "app/win32/file_dialog.h"
#include "app/win32/full_path.h"
#include "app/win32/instances.h"
#include "app/win32/main_window.h"
#include "app/win32/reopen_dialog.h"
#include "app/resource_ids.h"
#include "app/win32/string_resource.h"
#include "config/apply_to_editor.h"
#include "links/path_text.h"
#include "navigation/fold_case.h"
#include "platform/win32/wide.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

void ShowFailure(HWND owner, unsigned messageId) {
    MessageBoxW(owner, Wide(LoadStringResource(messageId).Chars()), nullptr, MB_OK);
}

}  // namespace

void MainWindow::SetEncoding(CharsetId charset) {
    charset_ = charset;
    encodingIndex_ = FindEncoding(config_->Encodings(), charset);
}

void MainWindow::ApplyDocType() {
    wrapMode_ = ApplyToEditor(config_->Values().undoLimit, config_->DocTypes().Current(), editor_->SettingsForDocument(),
                              editor_->SettingsForView());
}

bool MainWindow::LoadDocument(const String& path, CharsetId charset, bool applySettings) {
    auto file = std::make_unique<TextFileIn>(charset);
    String fullPath = FullPath(path);
    if (!file->Open(fullPath.Chars())) {
        ShowFailure(Handle(), IDS_OPEN_FAILED);
        return false;
    }
    filePath_ = fullPath;
    UseLongFileName(filePath_);
    const Settings& values = config_->Values();
    if (file->Size() > 0) {
        SetEncoding(file->Charset());
        lineBreak_ = file->NoLineBreaks() ? values.newfileLineBreak : file->LineEndStyle();
    } else {
        SetEncoding(values.newfileCharset);
        lineBreak_ = values.newfileLineBreak;
    }
    String folder = filePath_;
    RemoveLastComponent(folder);
    SetCurrentDirectoryW(Wide(folder.Chars()));
    if (applySettings) ApplyDocType();
    bool readOnlyFile = (file->Attributes() & FILE_ATTRIBUTE_READONLY) != 0;
    editor_->Load(std::move(file));
    editor_->SetReadOnly(readOnlyFile || values.readOnly);
    RefreshTitle();
    browser_.RecordLoad(filePath_, charset);
    UpdateHomeButton();
    UpdateNavButtons();
    return true;
}

void MainWindow::SetUpNewDocument() {
    UpdateHomeButton();
    UpdateNavButtons();
    ApplyDocType();
    RefreshTitle();
}

bool MainWindow::Save() {
    bool untitled = filePath_.Empty();
    if (untitled && !ChooseSavePath()) return false;
    if (!WriteDocument()) return false;
    if (untitled) ApplyDocType();
    return true;
}

// The chosen path, encoding and line end are kept even when the write fails:
// the next Save tries them again.
bool MainWindow::SaveAs() {
    if (!ChooseSavePath()) return false;
    bool written = WriteDocument();
    ApplyDocType();
    return written;
}

void MainWindow::SaveAsCommand() { SaveAs(); }

// The save dialog; on OK the window takes the chosen path, encoding and line end.
bool MainWindow::ChooseSavePath() {
    SaveChoice choice{filePath_, encodingIndex_, lineBreak_};
    if (!ShowSaveDialog(Handle(), config_->Encodings(), choice)) return false;
    filePath_ = FullPath(choice.path);
    if (choice.encodingRow >= 0) SetEncoding(config_->Encodings()[choice.encodingRow].id);
    lineBreak_ = choice.lineEnd;
    RefreshTitle();
    return true;
}

void MainWindow::OpenFile() {
    OpenChoice chosen;
    if (!ShowOpenDialog(Handle(), config_->Encodings(), config_->Values().txtFilter, filePath_, chosen)) return;
    browser_.Open(OpenWay::kOpenDialog, FullPath(chosen.path), chosen.charset);
}

bool MainWindow::WriteDocument() {
    TextFileOut file(charset_, lineBreak_);
    if (!file.Open(filePath_.Chars()) || !editor_->Save(file)) {
        ShowFailure(Handle(), IDS_SAVE_FAILED);
        return false;
    }
    RefreshTitle();
    browser_.RecordSave(filePath_, charset_);
    return true;
}

bool MainWindow::AskSave() {
    if (!editor_->Modified()) return true;
    int answer = MessageBoxW(Handle(), Wide(LoadStringResource(IDS_SAVE_PROMPT).Chars()),
                             Wide(LoadStringResource(IDS_PRODUCT_NAME).Chars()), MB_ICONQUESTION | MB_YESNOCANCEL);
    if (answer == IDYES) return Save();
    return answer == IDNO;
}

void MainWindow::Exit() {
    config_->SaveSearchOptions(find_.Options());
    if (AskSave()) DestroyWindow(Handle());
    config_->SaveWrapType(wrapMode_);
}

void MainWindow::Reopen() {
    if (filePath_.Empty()) return;
    ReopenDialog dialog(config_->Encodings(), charset_);
    if (dialog.RunModal(Handle()) != IDOK || !AskSave()) return;
    LoadDocument(filePath_, dialog.Chosen(), false);
}

void MainWindow::OnLinkActivated(const String& baseFolder, const String& linkText) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    String joined = baseFolder;
    JoinPath(joined, linkText);
    String target = ExpandPath(joined);
    // The linked note is detected afresh: it need not share the linking note's encoding.
    if (ClassifyLink(target.Chars()) == LinkKind::kFile && EqualIgnoringCase(FileExtension(target).View(), u"txt")) {
        browser_.Open(OpenWay::kLink, FullPath(target), charset::kAutoDetect);
    } else {
        SHELLEXECUTEINFOW run{};
        run.cbSize = sizeof run;
        // A failed hand-off is silent: no error box from the shell either.
        run.fMask = SEE_MASK_WAITFORINPUTIDLE | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        run.lpVerb = L"open";
        run.lpFile = Wide(target.Chars());
        run.nShow = SW_SHOWNORMAL;
        if (ShellExecuteExW(&run) && reinterpret_cast<INT_PTR>(run.hInstApp) > 32 && run.hProcess != nullptr) {
            WaitForSingleObject(run.hProcess, 3000);
        }
        if (run.hProcess != nullptr) CloseHandle(run.hProcess);
    }
    SetCursor(previous);
}

}  // namespace pathbook
