// Comparison of paths without regard to letter case, as the system compares
// file names: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and the
// full-width Latin letters fold to upper case; everything else compares as is.
#pragma once

#include <string_view>

namespace pathbook {

char16_t FoldToUpper(char16_t c);
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace pathbook
