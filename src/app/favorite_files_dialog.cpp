#include "app/favorite_files_dialog.h"

#include <commdlg.h>

#include "app/favorites_dialog_rules.h"
#include "app/resource_ids.h"
#include "app/string_resource.h"
#include "platform/shell_folder.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

constexpr DWORD kSelectionUnits = 16640;
// The file-name box of the system's dialog: a combo box, or an edit box in older layouts.
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;

constexpr int kDocumentsFolder = 0x05;
constexpr int kPublicDocumentsFolder = 0x2E;
constexpr int kAppDataFolder = 0x1A;
constexpr int kProfileFolder = 0x28;

// What the hook needs, reached through the dialog structure's custom data.
struct HookState {
    const EncodingList* encodings = nullptr;
    CharsetId code = 0;
    std::vector<String> folders;  // in the order of the folder combo
};

String WithSeparator(std::u16string path) {
    if (!path.empty() && path.back() != u'\\') path.push_back(u'\\');
    return String(path);
}

String CurrentFolder() {
    wchar_t folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? String(Utf16(folder)) : String();
}

void FillEncodings(HWND combo, const EncodingList& encodings) {
    for (std::int32_t row = 0; row < encodings.Count(); ++row) {
        const EncodingEntry& entry = encodings[row];
        if (!(entry.flags & kOfferedForOpening)) continue;
        LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.name)));
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(entry.id));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void FillFolders(HWND combo, HookState& state) {
    std::u16string oneDrive = platform::ShellFolderPath(kProfileFolder);
    state.folders = {CurrentFolder(), WithSeparator(platform::ShellFolderPath(kDocumentsFolder)),
                     WithSeparator(platform::ShellFolderPath(kPublicDocumentsFolder)),
                     WithSeparator(platform::ShellFolderPath(kAppDataFolder)),
                     oneDrive.empty() ? String() : WithSeparator(oneDrive + u"\\OneDrive")};
    constexpr unsigned kNames[] = {IDS_FOLDER_CURRENT, IDS_FOLDER_DOCUMENTS, IDS_FOLDER_COMMON_DOCUMENTS,
                                   IDS_FOLDER_APP_DATA, IDS_FOLDER_ONEDRIVE};
    for (unsigned name : kNames) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(LoadStringResource(name).Chars())));
    }
}

// Puts the folder into the file-name box and confirms it, which takes the dialog there.
void GoToFolder(HWND hook, const HookState& state) {
    LRESULT index = SendDlgItemMessageW(hook, IDC_FOLDER, CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= state.folders.size()) return;
    const String& folder = state.folders[static_cast<std::size_t>(index)];
    if (folder.Empty()) return;
    HWND dialog = GetParent(hook);
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    if (box == nullptr) box = GetDlgItem(dialog, kFileNameEdit);
    if (box == nullptr) return;
    SetWindowTextW(box, Wide(folder.Chars()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

UINT_PTR CALLBACK Hook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<HookState*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
        SetWindowLongPtrW(hook, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        FillEncodings(GetDlgItem(hook, IDC_ENCODING), *state->encodings);
        FillFolders(GetDlgItem(hook, IDC_FOLDER), *state);
        return FALSE;  // the focus stays in the file-name box
    }
    auto* state = reinterpret_cast<HookState*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
    if (state == nullptr) return 0;
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_FOLDER && HIWORD(wParam) == CBN_SELCHANGE) {
        GoToFolder(hook, *state);
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FILEOK) {
        HWND combo = GetDlgItem(hook, IDC_ENCODING);
        LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) {
            state->code = static_cast<CharsetId>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
        }
    }
    return 0;
}

String Filter() {
    String filter = LoadStringResource(IDS_TEXT_FILES_FILTER);
    filter.Append(u'\0');
    filter.Append(u"*.txt");
    filter.Append(u'\0');
    filter.Append(LoadStringResource(IDS_ALL_FILES_FILTER));
    filter.Append(u'\0');
    filter.Append(u"*.*");
    filter.Append(u'\0');
    return filter;
}

}  // namespace

bool ChooseFavoriteFiles(HWND owner, const EncodingList& encodings, ChosenFiles* chosen) {
    std::vector<wchar_t> buffer(kSelectionUnits + 1, L'\0');
    String filter = Filter();
    String title = LoadStringResource(IDS_ADD_FAVORITES_TITLE);
    HookState state;
    state.encodings = &encodings;
    // The document's folder, rather than whatever folder the system remembers from last time.
    String folder = CurrentFolder();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = GetModuleHandleW(nullptr);
    dialog.lpstrFilter = Wide(filter.Chars());
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kSelectionUnits;
    dialog.lpstrTitle = Wide(title.Chars());
    dialog.lpstrInitialDir = folder.Empty() ? nullptr : Wide(folder.Chars());
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_ENABLESIZING | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    dialog.lCustData = reinterpret_cast<LPARAM>(&state);
    dialog.lpfnHook = Hook;
    dialog.lpTemplateName = MAKEINTRESOURCEW(IDD_ADD_FAVORITES_EXTRA);
    if (!GetOpenFileNameW(&dialog)) return false;
    chosen->paths = SelectedFiles(Utf16(buffer.data()), buffer.size());
    chosen->code = state.code;
    return !chosen->paths.empty();
}

}  // namespace pathbook
