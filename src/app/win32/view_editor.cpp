// The program's editor: the document shown and edited in the view
// ("TextLoom Control-01" holding "TextLoom View"), with the system clipboard.
#include <windows.h>

#include <string>

#include "app/win32/editor_port.h"
#include "app/line_number.h"
#include "app/win32/messages.h"
#include "app/resource_ids.h"
#include "view/caret.h"
#include "view/win32/clipboard_win32.h"
#include "view/win32/control_window.h"

namespace pathbook {
namespace {

class ViewEditor final : public EditorPort,
                         EditorDocumentSettings,
                         CaretEvents,
                         DocListener,
                         StatusSink {
public:
    ViewEditor() : control_(document_) { document_.AddListener(this); }
    ~ViewEditor() override {
        control_.Destroy();
        document_.RemoveListener(this);
    }

    bool Create(HWND parent, int id, EditorEvents& events) override {
        events_ = &events;
        if (!control_.Create(parent, id)) return false;
        control_.View().SetStatusSink(this);
        if (Caret* caret = EditCaret()) caret->SetEvents(this);
        return true;
    }
    HWND Handle() const override { return control_.Handle(); }
    void Move(int x, int y, int width, int height) override {
        if (Handle() != nullptr) MoveWindow(Handle(), x, y, width, height, TRUE);
    }
    void Focus() override {
        if (control_.View().Handle() != nullptr) SetFocus(control_.View().Handle());
    }

    bool SelectionEmpty() const override { return EditCaret() == nullptr || EditCaret()->SelectionEmpty(); }
    bool CanUndo() const override { return document_.CanUndo(); }
    bool CanRedo() const override { return document_.CanRedo(); }
    bool Modified() const override { return document_.IsModified(); }
    LinkKind LinkKindAtCaret() const override {
        return EditCaret() != nullptr ? EditCaret()->LinkKindAtCaret() : LinkKind::kNone;
    }
    bool ReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool on) override {
        readOnly_ = on;
        if (Caret* caret = EditCaret()) caret->SetReadOnly(on);
    }

    void Cut() override {
        // Nothing is deleted unless the clipboard took the text.
        if (Editable() && CopySelection()) EditCaret()->DeleteSelection();
    }
    void Copy() override { CopySelection(); }
    void Paste() override;
    void DeleteSelection() override {
        if (Editable()) EditCaret()->DeleteSelection();
    }
    void SelectAll() override {
        if (Caret* caret = EditCaret()) caret->SelectAll();
    }
    void Undo() override {
        if (Editable()) document_.Undo();
    }
    void Redo() override {
        if (Editable()) document_.Redo();
    }
    void InsertText(std::u16string_view text) override {
        if (Editable()) EditCaret()->ReplaceSelection(text);
    }
    void JumpToLine(std::int32_t line) override {
        if (Caret* caret = EditCaret()) caret->SetCaret(DocPos::At(LineForNumber(line, document_.LineCount()), 0), false);
    }
    Document& Text() override { return document_; }
    DocPos SelectionAnchor() const override { return EditCaret() != nullptr ? EditCaret()->Anchor().pos : DocPos(); }
    DocPos CaretPosition() const override { return EditCaret() != nullptr ? EditCaret()->Position().pos : DocPos(); }
    void Select(DocPos anchor, DocPos caret) override {
        Caret* edit = EditCaret();
        if (edit == nullptr) return;
        edit->SetCaret(anchor, false);
        edit->SetCaret(caret, true);
    }
    String SelectedText() const override {
        const Caret* caret = EditCaret();
        if (caret == nullptr || caret->SelectionEmpty()) return String();
        return String(document_.CopyRange(caret->SelectionStart(), caret->SelectionEnd()));
    }
    bool RunLinkCommand(int commandId) override;

    void Load(std::unique_ptr<TextSource> source) override {
        document_.ClearAll();
        document_.Load(std::move(source));
        if (Caret* caret = EditCaret()) caret->SetCaret(DocPos{0, 0}, false);
        ReportModified();
    }
    bool Save(TextSink& sink) override {
        const bool saved = document_.Save(sink);
        ReportModified();
        return saved;
    }
    EditorDocumentSettings& SettingsForDocument() override { return *this; }
    EditorViewSettings& SettingsForView() override { return control_.View(); }

    void SetUndoLimit(std::int32_t limit) override {
        document_.SetUndoLimit(limit < 0 ? kUnlimitedUndo : static_cast<std::uint32_t>(limit));
    }
    void SetKeywordText(const char16_t* definition) override { document_.SetKeywordDefinition(definition); }

    void OnOpenLink(const std::u16string& basePath, const std::u16string& linkText) override {
        if (events_ != nullptr) events_->OnLinkActivated(String(basePath), String(linkText));
    }
    void OnDirtyFlagChange(bool) override { ReportModified(); }
    void ShowStatus(const std::u16string& text) override {
        HWND main = Handle() != nullptr ? GetParent(Handle()) : nullptr;
        if (main != nullptr) SendMessageW(main, kStatusText, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

private:
    Caret* EditCaret() { return control_.View().EditCaret(); }
    const Caret* EditCaret() const { return control_.View().EditCaret(); }
    bool Editable() { return !readOnly_ && EditCaret() != nullptr; }
    bool CopySelection() {
        const Caret* caret = EditCaret();
        if (caret == nullptr || caret->SelectionEmpty()) return false;
        return CopyToClipboard(Handle(), document_, caret->SelectionStart(), caret->SelectionEnd());
    }
    void ReportModified() {
        const bool modified = document_.IsModified();
        if (modified == reportedModified_) return;
        reportedModified_ = modified;
        if (events_ != nullptr) events_->OnModifiedChanged(modified);
    }

    Document document_;
    ControlWindow control_;
    EditorEvents* events_ = nullptr;
    bool readOnly_ = false;
    bool reportedModified_ = false;
};

void ViewEditor::Paste() {
    if (!Editable()) return;
    const ClipboardContent content = ReadClipboard(Handle());
    if (content.hasText) {
        EditCaret()->PasteText(content.text.data(), content.text.size());
    } else if (!content.files.empty()) {
        EditCaret()->PasteFiles(content.files);
    }
}

bool ViewEditor::RunLinkCommand(int commandId) {
    Caret* caret = EditCaret();
    if (caret == nullptr) return false;
    switch (commandId) {
        case IDM_OPEN_LINK: return caret->ActivateLinkAtSelection(LinkCommand::kOpen);
        case IDM_OPEN_LOCATION: return caret->ActivateLinkAtSelection(LinkCommand::kOpenLocation);
        case IDM_NEXT_LINK: return caret->SelectPath(PathSearch::kNextOnLine);
        case IDM_PREV_LINK: return caret->SelectPath(PathSearch::kPreviousOnLine);
        case IDM_NEXT_LINE_LINK: return caret->SelectPath(PathSearch::kNextLine);
        case IDM_PREV_LINE_LINK: return caret->SelectPath(PathSearch::kPreviousLine);
        default: return false;
    }
}

}  // namespace

std::unique_ptr<EditorPort> MakeEditor() { return std::make_unique<ViewEditor>(); }

}  // namespace pathbook
