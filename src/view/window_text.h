// The view window's text as WM_GETTEXT hands it out: the document with CR LF
// between lines, written straight into the caller's buffer and cut to fit, so
// that a small buffer never costs a copy of a large document. Tested by
// window_text_test.cpp.
#pragma once

#include <cstddef>

#include "document/document.h"

namespace pathbook {

// Writes at most `capacity` - 1 units of the text and a NUL into `buffer`
// (nothing for a capacity of 0) and returns the units written before the NUL.
// A cut never leaves the first half of a surrogate pair at the end.
std::size_t CopyWindowText(const Document& document, char16_t* buffer, std::size_t capacity);

}  // namespace pathbook
