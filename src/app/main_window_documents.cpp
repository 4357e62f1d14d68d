// The main window's document: loading, the new document, saving, the save
// prompt, exit, and links handed on by the editor.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include "app/instances.h"
#include "app/main_window.h"
#include "app/reopen_dialog.h"
#include "app/resource_ids.h"
#include "app/string_resource.h"
#include "config/apply_to_editor.h"
#include "links/path_text.h"
#include "navigation/fold_case.h"
#include "platform/win32/wide.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

String AbsolutePath(const String& path) {
    if (path.Length() >= 2 && (path[0] == u'\\' || path[1] == u':')) return path;
    wchar_t folder[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    String absolute(Utf16(folder), length < MAX_PATH ? static_cast<std::int32_t>(length) : 0);
    SetTrailingSeparator(absolute, true);
    absolute.Append(path);
    return absolute;
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
    if (!file->Open(path.Chars())) {
        MessageBoxW(Handle(), Wide(LoadStringResource(IDS_OPEN_FAILED).Chars()), nullptr, MB_OK);
        return false;
    }
    filePath_ = AbsolutePath(path);
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

// The path to save an untitled document under, from the system's save dialog.
bool MainWindow::ChooseSavePath() {
    wchar_t path[MAX_PATH] = {};
    String filter = LoadStringResource(IDS_ALL_FILES_FILTER);
    filter.Append(u'\0');
    filter.Append(u"*.*");
    filter.Append(u'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = Wide(filter.Chars());
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return false;
    filePath_ = String(Utf16(path));
    return true;
}

bool MainWindow::WriteDocument() {
    TextFileOut file(charset_, lineBreak_);
    if (!file.Open(filePath_.Chars()) || !editor_->Save(file)) {
        MessageBoxW(Handle(), Wide(LoadStringResource(IDS_SAVE_FAILED).Chars()), nullptr, MB_OK);
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
    if (ClassifyLink(target.Chars()) == LinkKind::kFile && EqualIgnoringCase(FileExtension(target).View(), u"txt")) {
        browser_.Open(OpenWay::kLink, target, charset_);
    } else {
        SHELLEXECUTEINFOW run{};
        run.cbSize = sizeof run;
        run.fMask = SEE_MASK_WAITFORINPUTIDLE | SEE_MASK_NOCLOSEPROCESS;
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
