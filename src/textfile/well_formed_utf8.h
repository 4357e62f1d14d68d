// The UTF-8 reader's fast path: decodes well-formed UTF-8 itself and leaves
// the rest to the system's conversion. Any conforming decoder turns
// well-formed sequences into the same units and is back in its initial state
// after each of them, so decoding up to the first ill-formed byte here and
// converting from there on gives exactly what converting the whole stretch
// gives.
// Tested by decoder_test.cpp and utf8_agreement_fuzz.cpp.
#pragma once

#include <cstdint>

namespace pathbook {

// Decodes from `at` into `out` (advanced past the units) and returns where it
// stopped: at the first character that starts at or after `limit`, at a CR or
// LF byte, or at the first byte of a sequence that is ill-formed (overlong, a
// surrogate, above U+10FFFF, not a sequence) or cut off by `end`. A character
// that starts before `limit` is decoded whole. Never reads at or past `end`
// (limit <= end). `out` needs room for (limit - at) + 3 units: no character
// has more units than bytes, and a block of ASCII is stored whole.
const std::uint8_t* DecodeWellFormedUtf8(const std::uint8_t* at, const std::uint8_t* limit, const std::uint8_t* end,
                                         char16_t*& out);

}  // namespace pathbook
