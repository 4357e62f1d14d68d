// The view's side of the system clipboard: copying a range as
// CF_UNICODETEXT, and reading text or a shell file list for pasting.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "document/document.h"

namespace pathbook {

// Puts [from, to) on the clipboard. The data is made before the clipboard is
// emptied and freed when the system does not take it, so a failed copy leaves
// the clipboard as it was. True when the clipboard holds the text.
bool CopyToClipboard(HWND owner, const Document& document, DocPos from, DocPos to);

// What the clipboard offers for pasting: text (read within the block's size)
// and the files of a CF_HDROP list, either, both or neither.
struct ClipboardContent {
    bool hasText = false;
    std::u16string text;  // the block's units, up to its size (PastedText cuts at the NUL)
    std::vector<std::u16string> files;
};
ClipboardContent ReadClipboard(HWND owner);

}  // namespace pathbook
