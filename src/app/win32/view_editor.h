// The program's editor: the session's document shown and edited in the view
// ("TextLoom Control-01" holding "TextLoom View"), with the system clipboard.
// The main window places it and gives it the focus; the commands reach it as
// EditorActions; what the view reports comes back through EditorEvents, as
// plain calls on the UI thread.
#pragma once

#include <windows.h>

#include "app/editor_actions.h"
#include "document/document.h"
#include "runtime/string.h"
#include "view/win32/control_window.h"

namespace pathbook {

class EditorEvents {
public:
    virtual ~EditorEvents() = default;
    // A link was activated: resolve `linkText` against `baseFolder` and open it.
    virtual void OnLinkActivated(const String& baseFolder, const String& linkText) = 0;
    // The status line's text (empty clears it).
    virtual void OnStatusText(const String& text) = 0;
    // A tool asked the editor to become read-only or editable (EM_SETREADONLY);
    // true when it now is.
    virtual bool OnReadOnlyRequest(bool readOnly) = 0;
};

class ViewEditor final : public EditorActions, CaretEvents, StatusSink, EditMessageSink {
public:
    // `document` outlives the editor.
    explicit ViewEditor(Document& document) : document_(document), control_(document) {}
    ~ViewEditor() override { control_.Destroy(); }

    // Creates the editor's child window inside `parent` with child id `id`;
    // the first layout gives it its place. `events` outlives the editor.
    bool Create(HWND parent, int id, EditorEvents& events);
    HWND Handle() const { return control_.Handle(); }
    void Move(int x, int y, int width, int height);
    void Focus();
    // The view's settings: appearance, wrap, link base, single click.
    ViewWindow& View() { return control_.View(); }

    // EditorActions.
    bool SelectionEmpty() const override;
    LinkKind LinkKindAtCaret() const override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void DeleteSelection() override;
    void SelectAll() override;
    void InsertText(std::u16string_view text) override;
    void JumpToLine(std::int32_t line) override;
    void OpenLinkAtCaret(LinkCommand command) override;
    void SelectPath(PathSearch search) override;
    DocPos SelectionAnchor() const override;
    DocPos CaretPosition() const override;
    void Select(DocPos anchor, DocPos caret) override;
    String SelectedText() const override;

private:
    // EditMessageSink (Cut, Copy and Paste are the EditorActions').
    bool Undo() override;
    bool CanUndo() const override;
    bool SetReadOnly(bool readOnly) override;
    // CaretEvents and StatusSink.
    void OnOpenLink(const std::u16string& basePath, const std::u16string& linkText) override;
    void ShowStatus(const std::u16string& text) override;

    EditInput* Input() { return control_.View().Input(); }
    const EditInput* Input() const { return control_.View().Input(); }
    bool CopySelection();

    Document& document_;
    ControlWindow control_;
    EditorEvents* events_ = nullptr;
};

}  // namespace pathbook
