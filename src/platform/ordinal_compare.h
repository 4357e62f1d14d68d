// Names compared as the file system compares them: unit by unit, each unit
// taken through the system's upper-case table (CompareStringOrdinal ignoring
// case on Windows). Letters of every script fold (Greek with tonos, Ukrainian
// Ґ, Vietnamese letters); a surrogate pair compares as it stands. Tested by
// nav_chain_block_test.cpp.
#pragma once

#include <string_view>

namespace pathbook::platform {

// Whether `a` and `b` name the same file, letter case aside; texts of
// different lengths never do.
bool OrdinalEqualIgnoringCase(std::u16string_view a, std::u16string_view b);

// The unit the comparison takes `unit` to, for keys that must be equal
// exactly when names compare equal.
char16_t OrdinalUpper(char16_t unit);

}  // namespace pathbook::platform
