#include "app/win32/restore_dialog.h"

#include "app/recovery_offer.h"
#include "app/resource_ids.h"
#include "app/win32/string_resource.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

// When the journal was last written, as the user's locale writes a date and time.
String LocalTimeText(std::uint64_t ticks) {
    FILETIME written{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &time)) return String();
    wchar_t date[64] = {};
    wchar_t clock[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 63);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, 63);
    return String(Utf16(date)) + u" " + Utf16(clock);
}

class RestoreDialog final : public Dialog {
public:
    explicit RestoreDialog(const std::vector<RecoveredJournal>& journals) : Dialog(IDD_RESTORE), journals_(journals) {}

protected:
    void OnInit() override {
        const RecoveryWords words{LoadStringResource(IDS_RESTORE_UNTITLED), LoadStringResource(IDS_RESTORE_LINES),
                                  LoadStringResource(IDS_RESTORE_CHANGED), LoadStringResource(IDS_RESTORE_MISSING)};
        HWND list = Item(IDC_RESTORE_LIST);
        // Tab stops in dialog units: name, time, size, what happened to the file.
        const int stops[] = {110, 190, 235};
        SendMessageW(list, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(stops));
        for (const RecoveredJournal& journal : journals_) {
            const String row = RecoveryRow(journal, LocalTimeText(journal.WriteTime()), words);
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row.Chars())));
        }
        SendMessageW(list, LB_SETHORIZONTALEXTENT, 900, 0);
        CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
        SetFocus(Item(IDOK));
    }
    bool OnCommand(WORD notifyCode, WORD id, HWND) override {
        if (id != IDC_RESTORE_DISCARD || notifyCode != BN_CLICKED) return false;
        End(IDC_RESTORE_DISCARD);
        return true;
    }

private:
    const std::vector<RecoveredJournal>& journals_;
};

}  // namespace

RestoreAnswer AskToRestore(HWND owner, const std::vector<RecoveredJournal>& journals) {
    RestoreDialog dialog(journals);
    switch (dialog.RunModal(owner)) {
        case IDOK: return RestoreAnswer::kRestore;
        case IDC_RESTORE_DISCARD: return RestoreAnswer::kDiscard;
        default: return RestoreAnswer::kLater;
    }
}

}  // namespace pathbook
