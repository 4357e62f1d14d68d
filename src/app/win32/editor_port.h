// What the main window needs from the editor, and what the editor tells it.
// The main window owns one EditorPort; the editor owns its Document. Every
// operation is safe before Create and after the window is gone (it then does
// nothing and answers false, empty or 0).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "config/apply_to_editor.h"
#include "document/document.h"
#include "document/link_recognition.h"
#include "runtime/string.h"
#include "textfile/text_source.h"

namespace pathbook {

// Events the editor reports to the main window.
class EditorEvents {
public:
    virtual ~EditorEvents() = default;
    // The modified state changed (by an edit, undo, load or save).
    virtual void OnModifiedChanged(bool modified) = 0;
    // A link was activated: resolve `linkText` against `baseFolder` and open it.
    virtual void OnLinkActivated(const String& baseFolder, const String& linkText) = 0;
};

class EditorPort {
public:
    virtual ~EditorPort() = default;

    // Creates the editor's child window inside `parent` with child id `id`;
    // the first layout gives it its place. `events` outlives the editor.
    virtual bool Create(HWND parent, int id, EditorEvents& events) = 0;
    virtual HWND Handle() const = 0;
    virtual void Move(int x, int y, int width, int height) = 0;
    virtual void Focus() = 0;

    // State the menus show.
    virtual bool SelectionEmpty() const = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual bool Modified() const = 0;
    // The kind of link under the caret (kNone when there is none).
    virtual LinkKind LinkKindAtCaret() const = 0;
    // The no-editing state: typing and every editing call below are refused while on.
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool on) = 0;

    // Editing, as the commands of the same names; each does nothing while read-only
    // (Copy and SelectAll excepted).
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void DeleteSelection() = 0;  // nothing without a selection
    virtual void SelectAll() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // Inserts `text` at the caret as if typed, replacing the selection.
    virtual void InsertText(std::u16string_view text) = 0;
    // Moves the caret to the start of 1-based `line`, clamped to the text, and shows it.
    virtual void JumpToLine(std::int32_t line) = 0;
    // The document on show, for the find commands (edits go through its Execute).
    virtual Document& Text() = 0;
    // The selection: the anchor stays, the caret moves; equal when nothing is selected.
    virtual DocPos SelectionAnchor() const = 0;
    virtual DocPos CaretPosition() const = 0;
    // Moves the caret to `anchor`, then extends the selection to `caret`, and shows it.
    virtual void Select(DocPos anchor, DocPos caret) = 0;
    // The selected text with CR LF between lines; empty without a selection.
    virtual String SelectedText() const = 0;
    // The link commands of the editor (select the next / previous link, open the
    // link at the caret or its folder); false when the editor does not offer them.
    virtual bool RunLinkCommand(int commandId) = 0;

    // Replaces the text with the source's (unmodified, no undo history).
    virtual void Load(std::unique_ptr<TextSource> source) = 0;
    // Writes the text to `sink`; true (and unmodified) only when the sink closed well.
    virtual bool Save(TextSink& sink) = 0;
    // Where ApplyToEditor sends the document type's settings.
    virtual EditorDocumentSettings& SettingsForDocument() = 0;
    virtual EditorViewSettings& SettingsForView() = 0;
};

// The program's editor: the document in the view.
std::unique_ptr<EditorPort> MakeEditor();

}  // namespace pathbook
