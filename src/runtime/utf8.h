// Strict UTF-8 <-> UTF-16 for the edges of the program that speak UTF-8 (the
// command line, the settings file and file names on POSIX, tool arguments, test
// fixtures). One decoder serves them all: every maximal ill-formed subpart
// (an overlong form, a surrogate, a value above U+10FFFF, a byte that cannot
// start a sequence, a cut-off sequence) becomes one U+FFFD, as Windows
// converts; a lone surrogate is encoded as U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pathbook {

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// The code point that starts at bytes[0] and how many bytes it takes (at least
// 1); an ill-formed subpart reads as U+FFFD. `count` must be at least 1.
struct Utf8Step {
    char32_t codePoint;
    std::size_t length;
};
Utf8Step DecodeUtf8Step(const std::uint8_t* bytes, std::size_t count);

// The code point that starts at units[*at], moving *at past it; a lone
// surrogate reads as U+FFFD.
char32_t NextCodePoint(const char16_t* units, std::size_t count, std::size_t* at);

// Write the form of `c` (at most U+10FFFF) to out and return its length.
std::size_t EncodeUtf8CodePoint(char32_t c, std::uint8_t out[4]);
std::size_t EncodeUtf16CodePoint(char32_t c, char16_t out[2]);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace pathbook
