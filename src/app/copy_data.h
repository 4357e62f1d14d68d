// The document offer that running instances send each other (WM_COPYDATA): a
// path and an encoding. The data comes from another process, so it is checked
// before it is read as text. Tested by main_window_rules_test.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

constexpr std::size_t kMaxOfferedPathUnits = 260;  // NUL included

// The offered path, when `bytes` is even, at most 2 x 260, and the units hold
// a NUL; the text runs to the first NUL. Nothing (empty, false) otherwise.
bool ReadOfferedPath(const void* data, std::size_t bytes, std::u16string_view* path);

// Whether this window shows the offered document: the paths equal without
// regard to letter case, and `offeredCharset` is 0 or the window's encoding.
bool OfferMatches(std::u16string_view offeredPath, CharsetId offeredCharset, const String& filePath,
                  CharsetId windowCharset);

}  // namespace pathbook
