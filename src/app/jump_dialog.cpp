#include "app/jump_dialog.h"

#include "app/resource_ids.h"
#include "platform/win32/wide.h"
#include "runtime/decimal.h"

namespace pathbook {

JumpDialog::JumpDialog() : Dialog(IDD_JUMP) {}

void JumpDialog::OnInit() {
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    SetFocus(Item(IDC_JUMP_LINE));
}

bool JumpDialog::OnOK() {
    wchar_t text[101] = {};
    GetDlgItemTextW(Handle(), IDC_JUMP_LINE, text, 101);
    line_ = ParseDecimal(platform::win32::Utf16(text));
    return true;
}

}  // namespace pathbook
