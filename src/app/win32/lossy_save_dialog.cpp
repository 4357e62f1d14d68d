#include "app/win32/lossy_save_dialog.h"

#include "app/resource_ids.h"
#include "platform/win32/wide.h"

namespace pathbook {

using platform::win32::Wide;

LossySaveDialog::LossySaveDialog(const String& lostText, bool offerUtf8)
    : Dialog(IDD_LOSSY_SAVE), lostText_(lostText), offerUtf8_(offerUtf8) {}

void LossySaveDialog::OnInit() {
    SetDlgItemTextW(Handle(), IDC_LOST_CHARACTERS, Wide(lostText_.Chars()));
    EnableWindow(Item(IDC_SAVE_IN_UTF8), offerUtf8_ ? TRUE : FALSE);
    SendMessageW(Handle(), DM_SETDEFID, IDCANCEL, 0);
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    MessageBeep(MB_ICONWARNING);
    SetFocus(Item(IDCANCEL));
}

bool LossySaveDialog::OnCommand(WORD, WORD id, HWND) {
    if (id != IDC_SAVE_IN_UTF8 && id != IDC_SAVE_WITH_LOSSES) return false;
    answer_ = id == IDC_SAVE_IN_UTF8 ? LossAnswer::kSaveInUtf8 : LossAnswer::kSaveWithLosses;
    End(id);
    return true;
}

}  // namespace pathbook
