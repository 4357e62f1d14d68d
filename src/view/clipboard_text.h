// The text the clipboard exchanges with the view: the copied range, the
// pasted text (cut at its NUL and at the block's size, and kept one link when
// it goes between "<" and ">"), and the list of files copied in the shell.
// Tested by clipboard_text_test.cpp; paste_text_fuzz.cpp feeds it raw blocks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "document/document.h"

namespace pathbook {

// Units of the clipboard block for [from, to): the text with CR LF line
// breaks and a terminating NUL.
TextSize ClipboardUnits(const Document& document, DocPos from, DocPos to);
// Fills `block` (ClipboardUnits units) with that text and its NUL.
void WriteClipboardText(const Document& document, DocPos from, DocPos to, char16_t* block);

// Whether pasted text replacing [from, to) lands between "<" and ">": the
// unit before `from` is "<" and the unit at `to` is ">".
bool PasteGoesIntoLink(const Document& document, DocPos from, DocPos to);

// The text of a clipboard block of `units` units (the block's byte size
// halved): up to its first NUL, never past the block. `intoLink` removes
// U+0000 to U+001F, "<" and ">".
std::u16string PastedText(const char16_t* block, std::size_t units, bool intoLink);

// The file-list text: "<" path ">" CR LF per file, in order, within a buffer
// of 260 units (NUL included); a file that does not fit is skipped and later,
// shorter ones may still follow.
std::u16string FileListText(const std::vector<std::u16string>& paths);

}  // namespace pathbook
