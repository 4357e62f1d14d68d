// What the keyboard and the editing commands do to the text: caret keys,
// typed characters, finished input-method strings, deleting, and pasting text
// or files. Edits go through Document::Execute, which refuses them while the
// document's editing is locked; moving and selecting go on. Tested by
// caret_keys_test.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "view/edit_keys.h"
#include "view/selection.h"

namespace pathbook {

class KeyInput {
public:
    KeyInput(Document& document, Selection& selection) : document_(document), selection_(selection) {}

    // WM_KEYDOWN of a key the view handles.
    void Key(EditKey key, bool shift, bool ctrl);
    // WM_CHAR: control characters other than tab and CR are ignored; "[" and
    // "<" type their pair with the caret between; a surrogate pair typed as
    // two units is inserted as one.
    void Char(char16_t unit);
    // A finished input-method string, inserted as typed text.
    void InputString(std::u16string_view text);
    // Replaces the selection by `text` (inserts it at the caret when empty) as one undo step.
    void ReplaceSelection(std::u16string_view text);
    void DeleteSelection();  // nothing when the selection is empty

    // Clipboard. Copy and Cut: the window layer writes ClipboardUnits /
    // WriteClipboardText (clipboard_text.h) of the selection, and for Cut
    // calls DeleteSelection only after the copy succeeded. PasteText: a
    // CF_UNICODETEXT block of `units` units (its size halved). PasteFiles: the
    // files of CF_HDROP, inserted at the caret as a step of their own.
    void PasteText(const char16_t* block, std::size_t units);
    void PasteFiles(const std::vector<std::u16string>& paths);

private:
    void MoveVertically(std::int64_t rows, bool shift);
    std::int64_t PageStep() const;
    void KeyHome(bool shift, bool ctrl);
    void KeyEnd(bool shift, bool ctrl);
    void KeyBack();
    void KeyDelete();
    void TypeText(std::u16string_view text);
    void DeleteRange(DocPos from, DocPos to);

    Document& document_;
    Selection& selection_;
    char16_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
};

}  // namespace pathbook
