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
// page's default character, as the system maps them; nothing fails.
std::size_t DecodeCodePage(CodePage codePage, const std::uint8_t* bytes, std::size_t count,
                           char16_t* out, std::size_t capacity);

// Encodes `count` units into at most `capacity` bytes and returns how many bytes
// the whole input needs (`capacity` 0: a size query). Characters the code page
// cannot hold become its default character; *usedDefault (when not null) tells
// whether that happened. Code pages 65000 and 65001 never use a default.
std::size_t EncodeCodePage(CodePage codePage, const char16_t* units, std::size_t count,
                           std::uint8_t* out, std::size_t capacity, bool* usedDefault);

// The start of the character after the one at `at` (CharNextExA): one byte on,
// or two for a lead byte of a double-byte code page; never past `end`.
const std::uint8_t* NextCharacter(CodePage codePage, const std::uint8_t* at, const std::uint8_t* end);

}  // namespace pathbook::platform
