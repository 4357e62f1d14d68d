#include "navigation/fold_case.h"

namespace pathbook {
namespace {

// A block of lower-case letters with the distance to their capitals.
struct FoldRange {
    char16_t first;
    char16_t last;
    char16_t offset;   // subtracted; 0 for alternating pairs
    char16_t capitalParity;  // pairs only: the parity of the capitals' code points
};

constexpr FoldRange kFoldRanges[] = {
    {u'a', u'z', 0x20, 0},      {0x00E0, 0x00FE, 0x20, 0},  // Latin-1 (0xF7 is excluded below)
    {0x0100, 0x0137, 0, 0},     {0x0139, 0x0148, 0, 1},     // Latin Extended-A pairs
    {0x014A, 0x0177, 0, 0},     {0x0179, 0x017E, 0, 1},     //
    {0x03B1, 0x03C9, 0x20, 0},                              // Greek
    {0x0430, 0x044F, 0x20, 0},  {0x0450, 0x045F, 0x50, 0},  // Cyrillic
    {0xFF41, 0xFF5A, 0x20, 0},                              // full-width Latin
};

}  // namespace

char16_t FoldToUpper(char16_t c) {
    // The division sign sits among the Latin-1 letters; the dotless i has no
    // capital of its own; the final sigma does not fold.
    if (c == 0x00F7 || c == 0x0131 || c == 0x03C2) return c;
    for (const FoldRange& range : kFoldRanges) {
        if (c < range.first || c > range.last) continue;
        if (range.offset != 0) return static_cast<char16_t>(c - range.offset);
        return (c & 1) == range.capitalParity ? c : static_cast<char16_t>(c - 1);
    }
    return c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldToUpper(a[i]) != FoldToUpper(b[i])) return false;
    }
    return true;
}

}  // namespace pathbook
