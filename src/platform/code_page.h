// Code pages: the system's conversion between a code page's bytes and UTF-16.
// The Windows build calls the system; the POSIX build uses iconv with a table of
// names (see the README) and makes the ANSI code page a setting.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook::platform {

using CodePage = std::uint32_t;

bool IsValidCodePage(CodePage codePage);

// The system's ANSI code page (GetACP). In the POSIX build this is a setting,
// 1252 unless OverrideAnsiCodePage changed it.
CodePage AnsiCodePage();

// Sets what AnsiCodePage reports, for tests and `pathbook-tool --acp`. Returns
// false where the system decides (the Windows build) or `codePage` is not valid.
bool OverrideAnsiCodePage(CodePage codePage);

// Decodes `count` bytes into at most `capacity` units and returns how many units
// the whole input needs (with `capacity` 0 nothing is written: a size query).
// Bytes that do not form a character of the code page become U+FFFD or the code
// page's default character, as the system maps them; *replaced (when not null)
// tells whether that happened. In code page 1252 every byte is a character:
// the five that Windows-1252 leaves unassigned (81 8D 8F 90 9D) are the units
// of the same value. A result of 0 for bytes to decode means the system has no
// such conversion.
std::size_t DecodeCodePage(CodePage codePage, const std::uint8_t* bytes, std::size_t count,
                           char16_t* out, std::size_t capacity, bool* replaced = nullptr);

// Encodes `count` units into at most `capacity` bytes and returns how many bytes
// the whole input needs (`capacity` 0: a size query). Characters the code page
// cannot hold become its default character, or a look-alike where the system
// has one ("best fit"); *usedDefault (when not null) tells whether the default
// character (U+FFFD in UTF-7 and UTF-8, for an unpaired surrogate) was used.
// Look-alikes are not reported: whether a text comes back whole is for the
// caller to find out by decoding. A result of 0 for units to encode means the
// system has no such conversion.
std::size_t EncodeCodePage(CodePage codePage, const char16_t* units, std::size_t count,
                           std::uint8_t* out, std::size_t capacity, bool* usedDefault);

// The start of the character after the one at `at` (CharNextExA): one byte on,
// or two for a lead byte of a double-byte code page; never past `end`.
const std::uint8_t* NextCharacter(CodePage codePage, const std::uint8_t* at, const std::uint8_t* end);

}  // namespace pathbook::platform
