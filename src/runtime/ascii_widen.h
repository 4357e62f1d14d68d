// Widening runs of plain ASCII bytes to UTF-16 units, sixteen a step where
// the vector paths are built: the part of every byte decoder that most text
// goes through. Plain means printable ASCII (0x20-0x7F) or a tab; a line
// break, any other control byte and any byte of 0x80 or above stop a run, and
// the decoder deals with it.
#pragma once

#include <cstdint>

#include "runtime/bit_scan.h"
#include "runtime/vector_units.h"

namespace pathbook {

constexpr bool IsPlainAscii(std::uint8_t byte) { return (byte >= 0x20 && byte < 0x80) || byte == 0x09; }

// Widens the plain bytes from `at` into `out` (advanced past them) and returns
// the first byte that is not plain, or the first of fewer than sixteen bytes
// left before `limit`: the caller takes those one by one. A block of sixteen
// that holds the first other byte is stored whole, so `out` has room for as
// many units as there are bytes from `at` to `limit`.
inline const std::uint8_t* WidenPlainAscii(const std::uint8_t* at, const std::uint8_t* limit, char16_t*& out) {
#if PATHBOOK_VECTOR_UNITS
    const __m128i zero = _mm_setzero_si128();
    // Signed, so the bytes of 0x80 and above count as below 0x20 too.
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i tab = _mm_set1_epi8(0x09);
    for (; limit - at >= 16; at += 16, out += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i stops = _mm_andnot_si128(_mm_cmpeq_epi8(bytes, tab), _mm_cmplt_epi8(bytes, space));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stops));
        if (mask != 0) {
            const int plain = LowestBit(mask);
            out += plain;
            return at + plain;
        }
    }
#else
    for (; limit - at >= 16 && IsPlainAscii(*at); ++at) *out++ = *at;
#endif
    return at;
}

}  // namespace pathbook
