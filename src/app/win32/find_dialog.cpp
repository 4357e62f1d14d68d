#include "app/win32/find_dialog.h"

#include <string>

#include "app/resource_ids.h"
#include "app/win32/string_resource.h"
#include "platform/win32/wide.h"
#include "runtime/decimal.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

// The push buttons of the template besides Find Prev (1008) and Close (2).
constexpr WORD kFindButton = 3;  // the default button: Enter
constexpr WORD kReplaceButton = 4;
constexpr WORD kReplaceAllButton = 5;

}  // namespace

FindDialog::FindDialog(Document& document, EditorActions& editor)
    : Dialog(IDD_FIND), document_(document), editor_(editor) {}

void FindDialog::Open(HWND owner) {
    owner_ = owner;
    if (Handle() != nullptr) {
        ForceForeground(Handle());
        return;
    }
    if (!CreateModeless(owner)) return;
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void FindDialog::FindAgain(HWND owner, bool forward) {
    owner_ = owner;
    if (!state_.HasSearcher()) {
        Open(owner);
        return;
    }
    state_.Prepare(forward);
    Run(forward ? Action::kFindNext : Action::kFindPrev);
}

void FindDialog::OnInit() {
    CheckDlgButton(Handle(), IDC_IGNORE_CASE, state_.IgnoreCase() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_REG_EXP, state_.RegExp() ? BST_CHECKED : BST_UNCHECKED);
    String selected = editor_.SelectedText();
    String proposed = selected.Empty() ? state_.FindText() : state_.ProposedFindText(selected);
    SetDlgItemTextW(Handle(), IDC_FIND_TEXT, Wide(proposed.Chars()));
    SetDlgItemTextW(Handle(), IDC_REPLACE_TEXT, Wide(state_.ReplaceText().Chars()));
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    SetFocus(Item(IDC_FIND_TEXT));
    SendMessageW(Item(IDC_FIND_TEXT), EM_SETSEL, 0, -1);
}

void FindDialog::OnDestroy() { state_.DialogClosed(); }

bool FindDialog::OnCommand(WORD notifyCode, WORD id, HWND) {
    switch (id) {
        case IDC_FIND_TEXT:
        case IDC_REPLACE_TEXT:
            if (notifyCode == EN_CHANGE) state_.MarkChanged();
            return true;
        case IDC_IGNORE_CASE:
        case IDC_REG_EXP:
            if (notifyCode == BN_CLICKED) state_.MarkChanged();
            return true;
        case kFindButton: RunButton(Action::kFindNext); break;
        case IDC_FIND_PREV: RunButton(Action::kFindPrev); break;
        case kReplaceButton: RunButton(Action::kReplace); break;
        case kReplaceAllButton: RunButton(Action::kReplaceAll); break;
        default: return false;
    }
    return true;
}

void FindDialog::RunButton(Action action) {
    state_.ReadDialog();
    state_.Prepare(action != Action::kFindPrev);
    Run(action);
}

void FindDialog::Run(Action action) {
    search::Selection selection{editor_.SelectionAnchor(), editor_.CaretPosition()};
    switch (action) {
        case Action::kFindNext: state_.FindNext(document_, selection); break;
        case Action::kFindPrev: state_.FindPrev(document_, selection); break;
        case Action::kReplace: state_.Replace(document_, selection); break;
        case Action::kReplaceAll: state_.ReplaceAll(document_, selection); break;
    }
    // A replacement moved the caret with the text: the new selection is set even when it looks the same.
    editor_.Select(selection.anchor, selection.caret);
}

String FindDialog::ItemText(int id) const {
    HWND item = Item(id);
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, u'\0');
    int length = GetWindowTextW(item, Wide(text.data()), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return String(text);
}

bool FindDialog::ReadTexts(search::FindDialogTexts& texts) {
    if (Handle() == nullptr) return false;
    texts.findText = ItemText(IDC_FIND_TEXT);
    texts.replaceText = ItemText(IDC_REPLACE_TEXT);
    texts.ignoreCase = IsDlgButtonChecked(Handle(), IDC_IGNORE_CASE) == BST_CHECKED;
    texts.regExp = IsDlgButtonChecked(Handle(), IDC_REG_EXP) == BST_CHECKED;
    return true;
}

// The boxes are owned by the window the user is working in, so that closing
// one gives the keyboard back to it.
HWND FindDialog::MessageOwner() const {
    HWND active = GetActiveWindow();
    if (active != nullptr && (active == Handle() || active == owner_)) return active;
    return Handle() != nullptr ? Handle() : owner_;
}

void FindDialog::ReportNotFound() {
    // No caption of its own: the system's.
    MessageBoxW(MessageOwner(), Wide(LoadStringResource(IDS_NOT_FOUND).Chars()), nullptr, MB_OK);
}

void FindDialog::ReportReplaced(std::int32_t count) {
    String text(FormatWithDecimal(LoadStringResource(IDS_REPLACED_COUNT).View(), count));
    MessageBoxW(MessageOwner(), Wide(text.Chars()), Wide(LoadStringResource(IDS_PRODUCT_NAME).Chars()),
                MB_OK | MB_ICONINFORMATION);
}

void FindDialog::CloseDialog() { End(IDCANCEL); }

void FindDialog::ReportLocked() { MessageBeep(MB_OK); }

}  // namespace pathbook
