#include "app/win32/settings_dialog.h"

#include "app/resource_ids.h"
#include "app/status_parts.h"
#include "app/win32/string_resource.h"
#include "platform/win32/wide.h"
#include "runtime/decimal.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

constexpr std::int32_t kMaxRecentFiles = 32;
constexpr std::int32_t kUnlimitedUndoShown = 20;  // shown in the box while 無限 is chosen

void SetNumber(HWND dialog, int id, std::int32_t value) {
    String text;
    text.AssignInt(value);
    SetDlgItemTextW(dialog, id, Wide(text.Chars()));
}

void AddItem(HWND combo, const char16_t* text, bool selected) {
    LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
    if (selected) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace

SettingsDialog::SettingsDialog(ConfigStore& config) : Dialog(IDD_SETTINGS), config_(config) {}

void SettingsDialog::OnInit() {
    config_.Load();
    const Settings& values = config_.Values();
    SetNumber(Handle(), IDC_MRU, values.historyCount);
    bool unlimited = values.undoLimit < 0;
    SetChecked(IDC_UNDO_UNLIMITED, unlimited);
    SetChecked(IDC_UNDO_LIMITED, !unlimited);
    SetNumber(Handle(), IDC_UNDO_LIMIT, unlimited ? kUnlimitedUndoShown : values.undoLimit);
    EnableUndoLimit();
    SetChecked(IDC_OPEN_SAME, values.openSame);
    SetChecked(IDC_SINGLE_CLICK, values.singleClick);
    SetChecked(IDC_READ_ONLY, values.readOnly);
    SetChecked(IDC_REMEMBER_SIZE, values.rememberWindowSize);
    SetChecked(IDC_REMEMBER_POS, values.rememberWindowPos);
    const EncodingList& encodings = config_.Encodings();
    for (std::int32_t row = 1; row < encodings.Count(); ++row) {
        AddItem(Item(IDC_NEWFILE_CHARSET), encodings[row].name, encodings[row].id == values.newfileCharset);
    }
    for (std::int32_t lineEnd = 0; lineEnd < 3; ++lineEnd) {
        AddItem(Item(IDC_NEWFILE_LINE_END), LineEndName(lineEnd).Chars(), lineEnd == static_cast<std::int32_t>(values.newfileLineBreak));
    }
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    SetFocus(Item(IDC_MRU));
}

std::int32_t SettingsDialog::Number(int id) const {
    wchar_t text[16] = {};
    GetDlgItemTextW(Handle(), id, text, 16);
    return ParseDecimal(Utf16(text));
}

void SettingsDialog::EnableUndoLimit() { EnableWindow(Item(IDC_UNDO_LIMIT), Checked(IDC_UNDO_LIMITED)); }

bool SettingsDialog::OnCommand(WORD, WORD id, HWND) {
    if (id != IDC_UNDO_UNLIMITED && id != IDC_UNDO_LIMITED) return false;
    EnableUndoLimit();
    return true;
}

bool SettingsDialog::OnOK() {
    Settings& values = config_.Values();
    std::int32_t recent = Number(IDC_MRU);
    values.historyCount = recent < 0 ? 0 : (recent > kMaxRecentFiles ? kMaxRecentFiles : recent);
    values.undoLimit = Checked(IDC_UNDO_UNLIMITED) ? -1 : Number(IDC_UNDO_LIMIT);
    values.openSame = Checked(IDC_OPEN_SAME);
    values.singleClick = Checked(IDC_SINGLE_CLICK);
    values.readOnly = Checked(IDC_READ_ONLY);
    values.rememberWindowSize = Checked(IDC_REMEMBER_SIZE);
    values.rememberWindowPos = Checked(IDC_REMEMBER_POS);
    LRESULT charset = SendMessageW(Item(IDC_NEWFILE_CHARSET), CB_GETCURSEL, 0, 0);
    if (charset != CB_ERR) values.newfileCharset = config_.Encodings()[static_cast<std::int32_t>(charset) + 1].id;
    LRESULT lineEnd = SendMessageW(Item(IDC_NEWFILE_LINE_END), CB_GETCURSEL, 0, 0);
    if (lineEnd != CB_ERR) values.newfileLineBreak = static_cast<LineEnd>(lineEnd);
    values.newfileDoctype = String();
    config_.DocTypes().Select(0);
    if (!config_.Save()) {
        // The values stay for this window; reading back would bring the old ones.
        MessageBoxW(Handle(), Wide(LoadStringResource(IDS_SETTINGS_NOT_SAVED).Chars()), nullptr, MB_OK | MB_ICONWARNING);
        return true;
    }
    // Reading back applies the limits the store keeps (at most 20 recent files listed).
    config_.Load();
    return true;
}

}  // namespace pathbook
