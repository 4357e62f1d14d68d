// UTF-8 (code page 65001) for the POSIX build, written out instead of going
// through iconv: it is the most common encoding by far, and iconv stops at the
// first ill-formed sequence where Windows substitutes and carries on.
// Behaviour matches the Windows conversion: every maximal ill-formed subpart
// becomes one U+FFFD when decoding, and a lone surrogate becomes EF BF BD when
// encoding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook::platform::posix {

// Both return how many units/bytes the whole input needs and store what fits.
std::size_t DecodeUtf8(const std::uint8_t* bytes, std::size_t count, char16_t* out, std::size_t capacity);
std::size_t EncodeUtf8(const char16_t* units, std::size_t count, std::uint8_t* out, std::size_t capacity);

}  // namespace pathbook::platform::posix
