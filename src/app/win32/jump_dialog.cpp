#include "app/win32/jump_dialog.h"

#include <optional>

#include "app/line_number.h"
#include "app/resource_ids.h"
#include "platform/win32/wide.h"

namespace pathbook {

namespace {
constexpr int kMaxTyped = 100;  // units of the box that are read
}  // namespace

JumpDialog::JumpDialog() : Dialog(IDD_JUMP) {}

void JumpDialog::OnInit() {
    SendMessageW(Item(IDC_JUMP_LINE), EM_LIMITTEXT, kMaxTyped, 0);
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    SetFocus(Item(IDC_JUMP_LINE));
}

bool JumpDialog::OnOK() {
    wchar_t text[kMaxTyped + 1] = {};
    GetDlgItemTextW(Handle(), IDC_JUMP_LINE, text, kMaxTyped + 1);
    std::optional<std::int32_t> line = ParseLineNumber(platform::win32::Utf16(text));
    if (!line) {
        // A pasted text that is no number: the user corrects it.
        MessageBeep(MB_OK);
        SetFocus(Item(IDC_JUMP_LINE));
        SendMessageW(Item(IDC_JUMP_LINE), EM_SETSEL, 0, -1);
        return false;
    }
    line_ = *line;
    return true;
}

}  // namespace pathbook
