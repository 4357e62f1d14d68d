// UTF-16 surrogate halves: a high half (D800..DBFF) followed by a low half
// (DC00..DFFF) is one code point above FFFF; either half alone is a lone unit.
#pragma once

#include <cstdint>

namespace pathbook {

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The code point of a high and a low half.
constexpr char32_t CombineSurrogates(char16_t high, char16_t low) {
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
}

}  // namespace pathbook
