#include "app/win32/reopen_dialog.h"

#include "app/resource_ids.h"
#include "platform/win32/wide.h"

namespace pathbook {

ReopenDialog::ReopenDialog(const EncodingList& encodings, CharsetId current)
    : Dialog(IDD_REOPEN), encodings_(encodings), chosen_(current) {}

void ReopenDialog::OnInit() {
    HWND combo = Item(IDC_ENCODING);
    for (std::int32_t row = 0; row < encodings_.Count(); ++row) {
        const EncodingEntry& entry = encodings_[row];
        if (!(entry.flags & kOfferedForSaving)) continue;
        LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::win32::Wide(entry.name)));
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(entry.id));
        if (entry.id == chosen_) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    SetFocus(combo);
}

bool ReopenDialog::OnOK() {
    HWND combo = Item(IDC_ENCODING);
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return false;
    chosen_ = static_cast<CharsetId>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return true;
}

}  // namespace pathbook
