// What the commands do to the editor on show, beyond its document: the
// selection, the clipboard and the view's link commands. The window's editor
// implements it; each call does nothing (answers false, empty or 0) before the
// editor's window exists. Edits go through the document, which refuses them
// while its editing is locked.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/doc_pos.h"
#include "document/link_recognition.h"
#include "runtime/string.h"
#include "view/link_activation.h"
#include "view/link_input.h"

namespace pathbook {

class EditorActions {
public:
    virtual ~EditorActions() = default;

    virtual bool SelectionEmpty() const = 0;
    // The kind of link at the selection's start (kNone when there is none).
    virtual LinkKind LinkKindAtCaret() const = 0;

    // Cut copies first and deletes only what the clipboard took; nothing while editing is locked.
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void DeleteSelection() = 0;  // nothing without a selection
    virtual void SelectAll() = 0;
    // Inserts `text` at the caret as if typed, replacing the selection.
    virtual void InsertText(std::u16string_view text) = 0;
    // Moves the caret to the start of 1-based `line`, clamped to the text, and shows it.
    virtual void JumpToLine(std::int32_t line) = 0;
    // Opens the link at the selection's start, or its folder.
    virtual void OpenLinkAtCaret(LinkCommand command) = 0;
    // Selects the next or previous link.
    virtual void SelectPath(PathSearch search) = 0;

    // The selection: the anchor stays, the caret moves; equal when nothing is selected.
    virtual DocPos SelectionAnchor() const = 0;
    virtual DocPos CaretPosition() const = 0;
    // Moves the caret to `anchor`, then extends the selection to `caret`, and shows it.
    virtual void Select(DocPos anchor, DocPos caret) = 0;
    // The selected text with CR LF between lines; empty without a selection.
    virtual String SelectedText() const = 0;
};

}  // namespace pathbook
