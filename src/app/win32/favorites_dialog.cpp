#include "app/win32/favorites_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/win32/file_dialog.h"
#include "app/file_dialog_choices.h"
#include "app/favorites_dialog_rules.h"
#include "config/dpi_scale.h"
#include "framework/dialog.h"
#include "framework/dpi.h"
#include "framework/handles.h"
#include "app/win32/instances.h"
#include "app/win32/messages.h"
#include "app/resource_ids.h"
#include "app/win32/string_resource.h"
#include "links/path_text.h"
#include "navigation/favorite_working_copy.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

constexpr int kButtons[] = {IDC_FAVORITE_OPEN, IDOK, IDC_FAVORITE_SAVE, IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_FAVORITE_EDIT};
constexpr int kButtonCount = sizeof kButtons / sizeof kButtons[0];

constexpr unsigned kColumnTitles[kFavoritesColumnCount] = {IDS_FAVORITES_COLUMN_NO, IDS_FAVORITES_COLUMN_NAME,
                                                           IDS_FAVORITES_COLUMN_ENCODING, IDS_FAVORITES_COLUMN_PATH};
constexpr int kEditMenuPosition = 1;  // the favourites' sub-menu of the context menu resource

// The list never shows a horizontal scroll bar, however wide its columns: the
// path column runs past the right edge, and every pixel of height goes to rows.
LRESULT CALLBACK WithoutHorizontalBar(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR) noexcept {
    if (message == WM_NCCALCSIZE) {
        LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
        if (style & WS_HSCROLL) SetWindowLongPtrW(list, GWL_STYLE, style & ~WS_HSCROLL);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

class FavoritesDialog final : public Dialog {
public:
    FavoritesDialog(ConfigStore& config, FavoriteList& favorites, const String& title, const String& noteFolder)
        : Dialog(IDD_FAVORITES), config_(config), favorites_(favorites), title_(title), noteFolder_(noteFolder) {
        copy_.Assign(favorites);
    }
    const FavoritesOutcome& Outcome() const { return outcome_; }

protected:
    void OnInit() override;
    void OnDestroy() override;
    bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Cancel and Escape: closing drops the unsaved changes only when the user says so.
    bool OnOK() override { return MayDropChanges(); }
    bool OnCancel() override { return MayDropChanges(); }

private:
    // True when the copy holds no unsaved change or the user gives them up.
    bool MayDropChanges();
    void SetUpList();
    void PlaceAtRememberedSize();
    void Layout(int width, int height);
    void ShowRows(int selected);
    void SetCell(int row, int column, const String& text);
    // Moved to a monitor of another DPI: the system's rectangle, the columns' widths.
    void FollowDpi(const RECT& suggested);
    int Selected() const { return ListView_GetNextItem(list_, -1, LVNI_SELECTED); }
    void UpdateButtons();
    void OnNotify(const NMHDR& header);
    void ShowEditMenu();

    void Open();
    void Save();
    void Move(bool up);
    void AddFiles();
    void Remove();
    void RemoveAll();
    void Import();
    void Export();
    bool ChooseCsv(bool forSaving, String* path);

    ConfigStore& config_;
    FavoriteList& favorites_;
    String title_;
    String noteFolder_;  // where the add-files dialog starts
    FavoriteWorkingCopy copy_;
    FavoritesOutcome outcome_;
    HWND list_ = nullptr;
    int buttonX_[kButtonCount] = {};  // each button keeps its distance from the left edge
};

void FavoritesDialog::OnInit() {
    SetWindowTextW(Handle(), Wide(title_.Chars()));
    list_ = Item(IDC_FAVORITE_LIST);
    for (int i = 0; i < kButtonCount; ++i) {
        RECT frame;
        GetWindowRect(Item(kButtons[i]), &frame);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&frame), 2);
        buttonX_[i] = frame.left;
    }
    SetUpList();
    ShowRows(0);
    PlaceAtRememberedSize();
    UpdateButtons();
    SetFocus(list_);
}

void FavoritesDialog::SetUpList() {
    ListView_SetExtendedListViewStyle(list_,
                                      LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FLATSB);
    SetWindowSubclass(list_, WithoutHorizontalBar, 1, 0);
    const std::int32_t dpi = static_cast<std::int32_t>(WindowDpi(Handle()));
    for (int i = 0; i < kFavoritesColumnCount; ++i) {
        String title = LoadStringResource(kColumnTitles[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = FavoritesColumnWidth(i, dpi);
        column.pszText = const_cast<wchar_t*>(Wide(title.Chars()));
        column.iSubItem = i;
        ListView_InsertColumn(list_, i, &column);
    }
}

void FavoritesDialog::PlaceAtRememberedSize() {
    RECT frame;
    GetWindowRect(Handle(), &frame);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    PixelSize size = FavoritesDialogSize(config_.DialogW(), config_.DialogH(),
                                         {frame.right - frame.left, frame.bottom - frame.top},
                                         {work.right - work.left, work.bottom - work.top},
                                         static_cast<std::int32_t>(WindowDpi(Handle())));
    SetWindowPos(Handle(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(Handle(), &client);
    Layout(client.right, client.bottom);
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
}

void FavoritesDialog::Layout(int width, int height) {
    if (list_ == nullptr) return;
    FavoritesLayout layout = LayOutFavorites({width, height}, static_cast<std::int32_t>(WindowDpi(Handle())));
    MoveWindow(list_, layout.list.x, layout.list.y, layout.list.width, layout.list.height, TRUE);
    for (int i = 0; i < kButtonCount; ++i) {
        SetWindowPos(Item(kButtons[i]), nullptr, buttonX_[i], layout.buttonTop, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void FavoritesDialog::FollowDpi(const RECT& suggested) {
    const std::int32_t dpi = static_cast<std::int32_t>(WindowDpi(Handle()));
    for (int i = 0; i < kFavoritesColumnCount; ++i) ListView_SetColumnWidth(list_, i, FavoritesColumnWidth(i, dpi));
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FavoritesDialog::SetCell(int row, int column, const String& text) {
    ListView_SetItemText(list_, row, column, const_cast<wchar_t*>(Wide(text.Chars())));
}

// Brings the rows in line with the copy (numbers included) and selects `selected`.
void FavoritesDialog::ShowRows(int selected) {
    int count = copy_.Count();
    while (ListView_GetItemCount(list_) > count) ListView_DeleteItem(list_, ListView_GetItemCount(list_) - 1);
    for (int row = ListView_GetItemCount(list_); row < count; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertItem(list_, &item);
    }
    String home = LoadStringResource(IDS_FAVORITES_HOME_ROW);
    const EncodingList& encodings = config_.Encodings();
    for (int row = 0; row < count; ++row) {
        Favorite entry = copy_.At(row);
        std::int32_t encoding = FindEncoding(encodings, entry.code);
        SetCell(row, 0, FavoriteRowLabel(row, home));
        SetCell(row, 1, FileNamePart(entry.path));
        SetCell(row, 2, String(encodings[encoding < 0 ? 0 : encoding].name));
        SetCell(row, 3, entry.path);
    }
    if (selected >= 0 && selected < count) {
        ListView_SetItemState(list_, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list_, selected, FALSE);
    }
    UpdateButtons();
}

void FavoritesDialog::UpdateButtons() {
    int row = Selected();
    int count = copy_.Count();
    HWND focus = GetFocus();
    EnableWindow(Item(IDC_FAVORITE_OPEN), row >= 0);
    EnableWindow(Item(IDC_MOVE_UP), row > 0);
    EnableWindow(Item(IDC_MOVE_DOWN), row >= 0 && row + 1 < count);
    EnableWindow(Item(IDC_FAVORITE_SAVE), copy_.Changed());  // 保存 only after a change
    // A button that was just disabled under the keyboard focus would leave the focus nowhere.
    if (focus != nullptr && !IsWindowEnabled(focus)) SetFocus(list_);
}

void FavoritesDialog::OnDestroy() {
    // Remembered as the size at 96 DPI: it opens as large on a monitor of any DPI.
    RECT frame;
    const std::int32_t dpi = static_cast<std::int32_t>(WindowDpi(Handle()));
    if (GetWindowRect(Handle(), &frame)) {
        config_.SaveDialogSize(ScaleFromDpi(frame.right - frame.left, dpi), ScaleFromDpi(frame.bottom - frame.top, dpi));
    }
    RemoveWindowSubclass(list_, WithoutHorizontalBar, 1);
}

bool FavoritesDialog::OnCommand(WORD notifyCode, WORD id, HWND) {
    if (notifyCode != BN_CLICKED) return false;
    switch (id) {
        case IDC_FAVORITE_OPEN: Open(); return true;
        case IDC_FAVORITE_SAVE: Save(); return true;
        case IDC_MOVE_UP: Move(true); return true;
        case IDC_MOVE_DOWN: Move(false); return true;
        case IDC_FAVORITE_EDIT: ShowEditMenu(); return true;
        case IDC_FAVORITE_ADD: AddFiles(); return true;
        case IDC_FAVORITE_DELETE: Remove(); return true;
        case IDM_FAVORITES_CLEAR: RemoveAll(); return true;
        case IDM_FAVORITES_IMPORT: Import(); return true;
        case IDM_FAVORITES_EXPORT: Export(); return true;
        default: return false;
    }
}

bool FavoritesDialog::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const PixelSize minimum = FavoritesMinimumSize(static_cast<std::int32_t>(WindowDpi(Handle())));
            limits->ptMinTrackSize = {minimum.width, minimum.height};
            return true;
        }
        case WM_DPICHANGED: FollowDpi(*reinterpret_cast<const RECT*>(lParam)); return true;
        case WM_SIZE: Layout(LOWORD(lParam), HIWORD(lParam)); return true;
        case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); return true;
        default: return false;
    }
}

void FavoritesDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_FAVORITE_LIST) return;
    switch (header.code) {
        case LVN_ITEMCHANGED:
            if (reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE) UpdateButtons();
            break;
        case NM_DBLCLK:
            if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) Open();
            break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) Remove();
            break;
        default: break;
    }
}

void FavoritesDialog::ShowEditMenu() {
    Menu menus(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENU)));
    HMENU menu = GetSubMenu(menus.Get(), kEditMenuPosition);
    if (menu == nullptr) return;
    bool rows = copy_.Count() > 0;
    auto enable = [menu](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(IDC_FAVORITE_DELETE, Selected() >= 0);
    enable(IDM_FAVORITES_CLEAR, rows);
    enable(IDM_FAVORITES_EXPORT, rows);
    RECT button;
    GetWindowRect(Item(IDC_FAVORITE_EDIT), &button);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left, button.bottom, 0, Handle(),
                   nullptr);
}

bool FavoritesDialog::MayDropChanges() {
    if (!copy_.Changed() || copy_.SameAs(favorites_)) return true;
    return MessageBoxW(Handle(), Wide(LoadStringResource(IDS_FAVORITES_DROP_CHANGES).Chars()),
                       Wide(title_.Chars()), MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void FavoritesDialog::Open() {
    int row = Selected();
    if (row < 0 || !MayDropChanges()) return;
    outcome_.open = true;
    outcome_.chosen = copy_.At(row);
    End(IDC_FAVORITE_OPEN);
}

void FavoritesDialog::Save() {
    if (!copy_.SameAs(favorites_)) {
        if (!favorites_.Replace(copy_.Slots())) {
            favorites_.Load();  // the window's list keeps what the file holds
            MessageBoxW(Handle(), Wide(LoadStringResource(IDS_SAVE_FAILED).Chars()), nullptr, MB_OK | MB_ICONWARNING);
            return;
        }
        BroadcastToInstances(kFavoritesChanged);  // the home buttons and drop-downs of every window
    }
    copy_.MarkSaved();
    UpdateButtons();
}

void FavoritesDialog::Move(bool up) {
    int row = Selected();
    if (!(up ? copy_.MoveUp(row) : copy_.MoveDown(row))) return;
    ShowRows(up ? row - 1 : row + 1);
}

void FavoritesDialog::AddFiles() {
    ChosenFiles chosen;
    if (!ShowAddFilesDialog(Handle(), config_.Encodings(), config_.Values().txtFilter, noteFolder_, chosen)) return;
    int last = Selected();
    for (const String& path : chosen.paths) {
        AddedFile added = copy_.AddFile(path, chosen.charset);
        if (added.kind != AddedFile::kDropped) last = added.row;
    }
    ShowRows(last);
}

void FavoritesDialog::Remove() {
    int row = Selected();
    if (row < 0) return;
    ShowRows(copy_.Remove(row));
}

void FavoritesDialog::RemoveAll() {
    if (!copy_.Clear()) return;
    ShowRows(-1);
}

bool FavoritesDialog::ChooseCsv(bool forSaving, String* path) {
    wchar_t file[MAX_PATH] = {};
    String filter = DialogFilter({{LoadStringResource(IDS_FAVORITE_LIST_FILTER), u"*.csv"}});
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = Wide(filter.Chars());
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    dialog.Flags |= forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    if (!(forSaving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    *path = String(Utf16(file));
    return true;
}

void FavoritesDialog::Import() {
    String path;
    if (!ChooseCsv(false, &path)) return;
    if (copy_.MergeCsv(path, LoadStringResource(IDS_PRODUCT_NAME)) != CsvMergeResult::kMerged) {
        MessageBoxW(Handle(), Wide(LoadStringResource(IDS_OPEN_FAILED).Chars()), nullptr, MB_OK | MB_ICONWARNING);
        return;
    }
    ShowRows(Selected() >= 0 ? Selected() : 0);
}

void FavoritesDialog::Export() {
    String path;
    if (copy_.Count() == 0 || !ChooseCsv(true, &path)) return;
    if (!copy_.ExportCsv(path, LoadStringResource(IDS_PRODUCT_NAME))) {
        MessageBoxW(Handle(), Wide(LoadStringResource(IDS_SAVE_FAILED).Chars()), nullptr, MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

FavoritesOutcome RunFavoritesDialog(HWND owner, ConfigStore& config, FavoriteList& favorites,
                                    const String& noteFolder) {
    // The title comes from this program's own resources, so the search works in either language.
    String title = LoadStringResource(IDS_FAVORITES_TITLE);
    if (RaiseDialogElsewhere(owner, Wide(title.Chars()))) return {};
    favorites.Load();
    FavoritesDialog dialog(config, favorites, title, noteFolder);
    dialog.RunModal(owner);
    return dialog.Outcome();
}

}  // namespace pathbook
