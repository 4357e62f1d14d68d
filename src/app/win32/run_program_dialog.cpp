#include "app/win32/run_program_dialog.h"

#include "app/resource_ids.h"
#include "app/win32/string_resource.h"
#include "platform/win32/wide.h"

namespace pathbook {

using platform::win32::Wide;

RunProgramDialog::RunProgramDialog(const String& path, bool share)
    : Dialog(IDD_RUN_PROGRAM), path_(path), share_(share) {}

void RunProgramDialog::OnInit() {
    SetDlgItemTextW(Handle(), IDC_PROGRAM_PATH, Wide(path_.Chars()));
    if (share_) SetDlgItemTextW(Handle(), IDC_PROGRAM_SHARE, Wide(LoadStringResource(IDS_RUN_PROGRAM_SHARE).Chars()));
    SendMessageW(Handle(), DM_SETDEFID, IDCANCEL, 0);
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    MessageBeep(MB_ICONWARNING);
    SetFocus(Item(IDCANCEL));
}

bool RunProgramDialog::OnCommand(WORD, WORD id, HWND) {
    if (id != IDC_RUN_PROGRAM && id != IDC_OPEN_FOLDER) return false;
    answer_ = id == IDC_RUN_PROGRAM ? RunAnswer::kRun : RunAnswer::kOpenFolder;
    End(id);
    return true;
}

}  // namespace pathbook
