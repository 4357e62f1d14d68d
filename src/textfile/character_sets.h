// The coded character sets that ISO-2022 and EUC designate, and how one
// character of each becomes UTF-16. The double-byte sets and the katakana set
// go through the platform's conversion of the Windows code page that holds
// them (932, 949, 936); results are kept in tables filled on first use, so a
// large file costs one conversion per distinct character, not per byte.
#pragma once

#include <cstdint>

namespace pathbook {

enum class CharacterSet : std::uint8_t {
    kAscii = 0,
    kLatin1Upper = 1,  // ISO-8859-1 upper half
    kKatakana = 2,     // JIS X 0201 katakana
    kJisX0208 = 3,
    kKsX1001 = 4,
    kGb2312 = 5,
};

constexpr bool IsDoubleByte(CharacterSet set) {
    return set == CharacterSet::kJisX0208 || set == CharacterSet::kKsX1001 || set == CharacterSet::kGb2312;
}

// At most this many units come out of one character.
constexpr std::uint32_t kMaxUnitsPerCharacter = 2;

// Decodes one character of `set` from `first` (and `second` for the
// double-byte sets; only the low 7 bits of each count) into `out` and returns
// the number of units (0 to kMaxUnitsPerCharacter). *replaced tells whether
// the bytes name no character of the set (the code page replaced them).
std::uint32_t DecodeSetCharacter(CharacterSet set, std::uint8_t first, std::uint8_t second, char16_t* out,
                                 bool* replaced);

}  // namespace pathbook
