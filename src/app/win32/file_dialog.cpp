#include "app/win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "app/favorites_dialog_rules.h"
#include "app/file_dialog_choices.h"
#include "app/resource_ids.h"
#include "app/status_parts.h"
#include "app/win32/string_resource.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

// The file-name box of the explorer-style dialog: a combo box, or an edit
// field in dialogs without the name history.
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;
// Room for the folder and the names of many files chosen at once.
constexpr DWORD kSelectionUnits = 16640;

// What the hook shows and what it reads back when the user presses OK.
struct ExtraControls {
    const EncodingList& encodings;
    std::vector<std::int32_t> rows;  // combo index -> table row
    std::int32_t row;
    bool offersLineEnds;
    LineEnd lineEnd;
    String noteFolder;  // where the dialog starts, and the folder combo's first entry
};

void AddItem(HWND combo, const char16_t* text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
}

void FillControls(HWND dialog, const ExtraControls& extra) {
    HWND encodings = GetDlgItem(dialog, IDC_ENCODING);
    for (std::int32_t row : extra.rows) AddItem(encodings, extra.encodings[row].name);
    SendMessageW(encodings, CB_SETCURSEL, static_cast<WPARAM>(ComboIndexOfRow(extra.rows, extra.row)), 0);
    if (extra.offersLineEnds) {
        HWND lineEnds = GetDlgItem(dialog, IDC_LINE_END);
        for (std::int32_t style = 0; style <= 2; ++style) AddItem(lineEnds, LineEndName(style).Chars());
        SendMessageW(lineEnds, CB_SETCURSEL, static_cast<WPARAM>(extra.lineEnd), 0);
    }
    HWND folders = GetDlgItem(dialog, IDC_FOLDER);
    for (std::int32_t index = 0; index < kFolderChoiceCount; ++index) {
        AddItem(folders, LoadStringResource(IDS_FOLDER_CURRENT + index).Chars());
    }
}

void ReadControls(HWND dialog, ExtraControls& extra) {
    LRESULT index = SendDlgItemMessageW(dialog, IDC_ENCODING, CB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < extra.rows.size()) extra.row = extra.rows[index];
    if (!extra.offersLineEnds) return;
    LRESULT lineEnd = SendDlgItemMessageW(dialog, IDC_LINE_END, CB_GETCURSEL, 0, 0);
    if (lineEnd >= 0 && lineEnd <= 2) extra.lineEnd = static_cast<LineEnd>(lineEnd);
}

// Writes the folder into the file-name box and presses the dialog's OK
// button, so the dialog moves to it as if the user had typed it and pressed
// Enter. (A posted Enter key is swallowed by the name box's own combo.) The
// focus stays on the folder combo for the next choice.
void GoToFolder(HWND dialog, const ExtraControls& extra) {
    LRESULT index = SendDlgItemMessageW(dialog, IDC_FOLDER, CB_GETCURSEL, 0, 0);
    String path = FolderChoicePath(static_cast<std::int32_t>(index), extra.noteFolder);
    if (path.Empty()) return;
    HWND system = GetParent(dialog);
    HWND box = GetDlgItem(system, kFileNameCombo);
    if (box == nullptr) box = GetDlgItem(system, kFileNameEdit);
    if (box == nullptr) return;
    SetWindowTextW(box, Wide(path.Chars()));
    PostMessageW(system, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(system, IDOK)));
}

UINT_PTR CALLBACK ExtraControlsHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* extra = reinterpret_cast<ExtraControls*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            extra = reinterpret_cast<ExtraControls*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(extra));
            FillControls(dialog, *extra);
            return FALSE;  // the focus stays in the file-name box
        case WM_COMMAND:
            if (extra != nullptr && LOWORD(wParam) == IDC_FOLDER && HIWORD(wParam) == CBN_SELCHANGE) {
                GoToFolder(dialog, *extra);
            }
            return 0;
        case WM_NOTIFY:
            if (extra != nullptr && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FILEOK) ReadControls(dialog, *extra);
            return 0;
        default: return 0;
    }
}

OPENFILENAMEW DialogSetup(HWND owner, int templateId, const String& filter, wchar_t* path, ExtraControls& extra) {
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = GetModuleHandleW(nullptr);
    dialog.lpstrFilter = Wide(filter.Chars());
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = Wide(extra.noteFolder.Chars());
    // The process's current directory stays where it was: nothing of the program depends on it.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLESIZING | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR;
    dialog.lpfnHook = ExtraControlsHook;
    dialog.lpTemplateName = MAKEINTRESOURCEW(templateId);
    dialog.lCustData = reinterpret_cast<LPARAM>(&extra);
    return dialog;
}

String OpenFilter(const String& txtPattern) {
    return DialogFilter({{LoadStringResource(IDS_TEXT_FILES_FILTER), txtPattern},
                         {LoadStringResource(IDS_ALL_FILES_FILTER), u"*.*"}});
}

// The encodings offered for opening, the first (automatic detection) chosen.
ExtraControls OpeningControls(const EncodingList& encodings, const String& folder) {
    ExtraControls extra{encodings, OfferedEncodingRows(encodings, kOfferedForOpening), -1, false, LineEnd::kCrLf,
                        folder};
    if (!extra.rows.empty()) extra.row = extra.rows.front();
    return extra;
}

CharsetId ChosenCharset(const ExtraControls& extra) {
    return extra.row >= 0 ? extra.encodings[extra.row].id : charset::kAutoDetect;
}

// Copies `text` into the dialog's path buffer when it fits.
void StartWith(wchar_t* path, const String& text) {
    if (text.Length() < MAX_PATH) lstrcpynW(path, Wide(text.Chars()), MAX_PATH);
}

}  // namespace

bool ShowOpenDialog(HWND owner, const EncodingList& encodings, const String& txtPattern, const String& initialPath,
                    const String& folder, OpenChoice& chosen) {
    String filter = OpenFilter(txtPattern);
    ExtraControls extra = OpeningControls(encodings, folder);
    wchar_t path[MAX_PATH] = {};
    DWORD attributes = initialPath.Empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Wide(initialPath.Chars()));
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) StartWith(path, initialPath);
    OPENFILENAMEW dialog = DialogSetup(owner, IDD_OPEN_EXTRA, filter, path, extra);
    dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&dialog)) return false;
    chosen.path = String(Utf16(path));
    chosen.charset = ChosenCharset(extra);
    return true;
}

bool ShowAddFilesDialog(HWND owner, const EncodingList& encodings, const String& txtPattern, const String& folder,
                        ChosenFiles& chosen) {
    String filter = OpenFilter(txtPattern);
    ExtraControls extra = OpeningControls(encodings, folder);
    String title = LoadStringResource(IDS_ADD_FAVORITES_TITLE);
    std::vector<wchar_t> names(kSelectionUnits + 1, L'\0');
    OPENFILENAMEW dialog = DialogSetup(owner, IDD_ADD_FAVORITES_EXTRA, filter, names.data(), extra);
    dialog.nMaxFile = kSelectionUnits;
    dialog.lpstrTitle = Wide(title.Chars());
    dialog.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&dialog)) return false;
    chosen.paths = SelectedFiles(Utf16(names.data()), names.size());
    chosen.charset = ChosenCharset(extra);
    return !chosen.paths.empty();
}

bool ShowSaveDialog(HWND owner, const EncodingList& encodings, const String& folder, SaveChoice& choice) {
    String filter = DialogFilter({{LoadStringResource(IDS_ALL_FILES_FILTER), u"*.*"}});
    ExtraControls extra{encodings, OfferedEncodingRows(encodings, kOfferedForSaving), choice.encodingRow, true,
                        choice.lineEnd, folder};
    wchar_t path[MAX_PATH] = {};
    StartWith(path, choice.path);
    OPENFILENAMEW dialog = DialogSetup(owner, IDD_SAVE_EXTRA, filter, path, extra);
    dialog.Flags |= OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&dialog)) return false;
    choice.path = String(Utf16(path));
    choice.encodingRow = extra.row;
    choice.lineEnd = extra.lineEnd;
    return true;
}

}  // namespace pathbook
