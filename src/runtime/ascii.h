// ASCII letters and their case, for the places where only ASCII folds (find
// and replace, scheme names, INI names, folder prefixes, drive letters).
// Paths compared as the system compares file names fold more: see
// navigation/fold_case.h.
#pragma once

namespace pathbook {

constexpr bool IsAsciiUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
constexpr bool IsAsciiLower(char16_t c) { return c >= u'a' && c <= u'z'; }
constexpr bool IsAsciiLetter(char16_t c) { return IsAsciiUpper(c) || IsAsciiLower(c); }
constexpr char16_t AsciiToUpper(char16_t c) { return IsAsciiLower(c) ? static_cast<char16_t>(c - 0x20) : c; }
constexpr char16_t AsciiToLower(char16_t c) { return IsAsciiUpper(c) ? static_cast<char16_t>(c + 0x20) : c; }

}  // namespace pathbook
