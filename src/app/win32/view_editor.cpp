#include "app/win32/view_editor.h"

#include "app/line_number.h"
#include "view/win32/clipboard_win32.h"

namespace pathbook {

bool ViewEditor::Create(HWND parent, int id, EditorEvents& events) {
    events_ = &events;
    if (!control_.Create(parent, id)) return false;
    control_.View().SetStatusSink(this);
    control_.SetEditMessageSink(this);
    if (EditInput* input = Input()) input->selection.SetEvents(this);
    return true;
}

void ViewEditor::Move(int x, int y, int width, int height) {
    if (Handle() != nullptr) MoveWindow(Handle(), x, y, width, height, TRUE);
}

void ViewEditor::Focus() {
    if (control_.View().Handle() != nullptr) SetFocus(control_.View().Handle());
}

bool ViewEditor::SelectionEmpty() const { return Input() == nullptr || Input()->selection.Empty(); }

LinkKind ViewEditor::LinkKindAtCaret() const {
    return Input() != nullptr ? Input()->links.KindAtCaret() : LinkKind::kNone;
}

bool ViewEditor::CopySelection() {
    const EditInput* input = Input();
    if (input == nullptr || input->selection.Empty()) return false;
    return CopyToClipboard(Handle(), document_, input->selection.Start(), input->selection.End());
}

void ViewEditor::Cut() {
    // Nothing is deleted unless the clipboard took the text.
    if (!document_.EditLocked() && CopySelection()) Input()->keys.DeleteSelection();
}

void ViewEditor::Copy() { CopySelection(); }

void ViewEditor::Paste() {
    EditInput* input = Input();
    if (input == nullptr || document_.EditLocked()) return;
    // Text and files copied together paste both: the text, then the list, as two undo steps.
    const ClipboardContent content = ReadClipboard(Handle());
    if (content.hasText) input->keys.PasteText(content.text.data(), content.text.size());
    if (!content.files.empty()) input->keys.PasteFiles(content.files);
}

void ViewEditor::DeleteSelection() {
    if (EditInput* input = Input()) input->keys.DeleteSelection();
}

void ViewEditor::SelectAll() {
    if (EditInput* input = Input()) input->selection.SelectAll();
}

void ViewEditor::InsertText(std::u16string_view text) {
    if (EditInput* input = Input()) input->keys.ReplaceSelection(text);
}

void ViewEditor::JumpToLine(std::int32_t line) {
    if (EditInput* input = Input()) {
        input->selection.SetCaret(DocPos::At(LineForNumber(line, document_.LineCount()), 0), false);
    }
}

void ViewEditor::OpenLinkAtCaret(LinkCommand command) {
    if (EditInput* input = Input()) input->links.ActivateAtSelection(command);
}

void ViewEditor::SelectPath(PathSearch search) {
    if (EditInput* input = Input()) input->links.SelectPath(search);
}

DocPos ViewEditor::SelectionAnchor() const { return Input() != nullptr ? Input()->selection.Anchor().pos : DocPos(); }

DocPos ViewEditor::CaretPosition() const { return Input() != nullptr ? Input()->selection.Position().pos : DocPos(); }

void ViewEditor::Select(DocPos anchor, DocPos caret) {
    EditInput* input = Input();
    if (input == nullptr) return;
    input->selection.SetCaret(anchor, false);
    input->selection.SetCaret(caret, true);
}

String ViewEditor::SelectedText() const {
    const EditInput* input = Input();
    if (input == nullptr || input->selection.Empty()) return String();
    return String(document_.CopyRange(input->selection.Start(), input->selection.End()));
}

bool ViewEditor::Undo() { return document_.Undo(); }

bool ViewEditor::CanUndo() const { return document_.CanUndo() && !document_.EditLocked(); }

bool ViewEditor::SetReadOnly(bool readOnly) { return events_ != nullptr && events_->OnReadOnlyRequest(readOnly); }

void ViewEditor::OnOpenLink(const std::u16string& basePath, const std::u16string& linkText) {
    if (events_ != nullptr) events_->OnLinkActivated(String(basePath), String(linkText));
}

void ViewEditor::ShowStatus(const std::u16string& text) {
    if (events_ != nullptr) events_->OnStatusText(String(text));
}

}  // namespace pathbook
