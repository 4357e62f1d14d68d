// UTF-8 (code page 65001) for the POSIX build, written out instead of going
// through iconv: it is the most common encoding by far, and iconv stops at the
// first ill-formed sequence where Windows substitutes and carries on. The
// strict decoder of runtime/utf8.h does the work, so ill-formed input turns
// out as the Windows conversion turns it out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook::platform::posix {

// Both return how many units/bytes the whole input needs and store what fits;
// *replaced (when not null) tells whether an ill-formed sequence or an
// unpaired surrogate became U+FFFD.
std::size_t DecodeUtf8(const std::uint8_t* bytes, std::size_t count, char16_t* out, std::size_t capacity,
                       bool* replaced);
std::size_t EncodeUtf8(const char16_t* units, std::size_t count, std::uint8_t* out, std::size_t capacity,
                       bool* replaced);

}  // namespace pathbook::platform::posix
