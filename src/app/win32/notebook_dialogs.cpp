#include "app/win32/notebook_dialogs.h"

#include "app/resource_ids.h"
#include "framework/dialog.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

constexpr int kMaxPattern = 1000;  // units of the pattern box that are read

// A list of places with its count line; OK opens the selected row.
class PlacesDialog : public Dialog {
public:
    explicit PlacesDialog(int templateId) : Dialog(templateId) {}
    const NotebookPlace* Chosen() const { return chosen_; }

protected:
    void OnInit() override {
        // One tab stop, after the note and line, in dialog units.
        const int stop = 120;
        SendMessageW(Item(IDC_NOTEBOOK_PLACES), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
        SendMessageW(Item(IDC_NOTEBOOK_PLACES), LB_SETHORIZONTALEXTENT, 1600, 0);
        CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    }
    bool OnOK() override { return Choose(); }
    bool OnCommand(WORD notifyCode, WORD id, HWND) override {
        if (id != IDC_NOTEBOOK_PLACES || notifyCode != LBN_DBLCLK) return false;
        if (Choose()) End(IDOK);
        return true;
    }

    void Fill(std::vector<NotebookPlace> places, const std::u16string& countText) {
        places_ = std::move(places);
        HWND list = Item(IDC_NOTEBOOK_PLACES);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const NotebookPlace& place : places_) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(place.row.c_str())));
        }
        if (!places_.empty()) SendMessageW(list, LB_SETCURSEL, 0, 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        SetDlgItemTextW(Handle(), IDC_NOTEBOOK_COUNT, Wide(countText.c_str()));
    }
    bool ListHasFocus() const { return GetFocus() == Item(IDC_NOTEBOOK_PLACES); }

    // False, with the dialog left open, when no row is selected.
    bool Choose() {
        const LRESULT row = SendMessageW(Item(IDC_NOTEBOOK_PLACES), LB_GETCURSEL, 0, 0);
        if (row < 0 || static_cast<std::size_t>(row) >= places_.size()) {
            MessageBeep(MB_OK);
            return false;
        }
        chosen_ = &places_[static_cast<std::size_t>(row)];
        return true;
    }

private:
    std::vector<NotebookPlace> places_;
    const NotebookPlace* chosen_ = nullptr;
};

class LinksHereDialog final : public PlacesDialog {
public:
    LinksHereDialog(const std::vector<NotebookPlace>& places, const std::u16string& countText)
        : PlacesDialog(IDD_LINKS_HERE), given_(places), countText_(countText) {}

protected:
    void OnInit() override {
        PlacesDialog::OnInit();
        Fill(given_, countText_);
        SetFocus(Item(IDC_NOTEBOOK_PLACES));
    }

private:
    const std::vector<NotebookPlace>& given_;
    const std::u16string& countText_;
};

class SearchNotesDialog final : public PlacesDialog {
public:
    SearchNotesDialog(std::u16string& pattern, search::FindOptions& options, const NotesSearch& search)
        : PlacesDialog(IDD_SEARCH_NOTES), pattern_(pattern), options_(options), search_(search) {}

protected:
    void OnInit() override {
        PlacesDialog::OnInit();
        HWND box = Item(IDC_NOTES_PATTERN);
        SendMessageW(box, EM_LIMITTEXT, kMaxPattern, 0);
        SetWindowTextW(box, Wide(pattern_.c_str()));
        CheckDlgButton(Handle(), IDC_NOTES_IGNORE_CASE, options_.ignoreCase ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Handle(), IDC_NOTES_REG_EXP, options_.regExp ? BST_CHECKED : BST_UNCHECKED);
        SendMessageW(box, EM_SETSEL, 0, -1);
        SetFocus(box);
    }
    bool OnCommand(WORD notifyCode, WORD id, HWND control) override {
        if (id != IDC_NOTES_SEARCH || notifyCode != BN_CLICKED) return PlacesDialog::OnCommand(notifyCode, id, control);
        // Enter in the list opens its row; anywhere else it searches.
        if (ListHasFocus()) {
            if (Choose()) End(IDOK);
            return true;
        }
        Search();
        return true;
    }

private:
    void Search() {
        wchar_t typed[kMaxPattern + 1] = {};
        GetDlgItemTextW(Handle(), IDC_NOTES_PATTERN, typed, kMaxPattern + 1);
        pattern_ = Utf16(typed);
        options_.ignoreCase = IsDlgButtonChecked(Handle(), IDC_NOTES_IGNORE_CASE) == BST_CHECKED;
        options_.regExp = IsDlgButtonChecked(Handle(), IDC_NOTES_REG_EXP) == BST_CHECKED;
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        std::u16string countText;
        std::vector<NotebookPlace> places = search_(pattern_, options_, &countText);
        SetCursor(previous);
        const bool found = !places.empty();
        Fill(std::move(places), countText);
        if (found) SetFocus(Item(IDC_NOTEBOOK_PLACES));
    }

    std::u16string& pattern_;
    search::FindOptions& options_;
    const NotesSearch& search_;
};

bool Finish(PlacesDialog& dialog, HWND owner, NotebookPlace* chosen) {
    if (dialog.RunModal(owner) != IDOK || dialog.Chosen() == nullptr) return false;
    *chosen = *dialog.Chosen();
    return true;
}

}  // namespace

bool ChooseLinkHere(HWND owner, const std::vector<NotebookPlace>& places, const std::u16string& countText,
                    NotebookPlace* chosen) {
    LinksHereDialog dialog(places, countText);
    return Finish(dialog, owner, chosen);
}

bool ChooseNotesMatch(HWND owner, std::u16string& pattern, search::FindOptions& options, const NotesSearch& search,
                      NotebookPlace* chosen) {
    SearchNotesDialog dialog(pattern, options, search);
    return Finish(dialog, owner, chosen);
}

}  // namespace pathbook
