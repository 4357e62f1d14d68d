#include "textfile/unit_runs.h"

#include "runtime/bit_scan.h"
#include "runtime/vector_units.h"

namespace pathbook {
namespace {

#if PATHBOOK_VECTOR_UNITS
constexpr std::uint32_t kLanes = 8;

__m128i Load(const char16_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

// The run of lanes whose `inClass` mask is all ones, eight at a time; the
// scalar loop of the caller finishes where a block is not whole.
template <typename InClass>
std::uint32_t VectorRun(const char16_t* units, std::uint32_t count, InClass inClass) {
    std::uint32_t at = 0;
    for (; count - at >= kLanes; at += kLanes) {
        auto outside = static_cast<unsigned>(_mm_movemask_epi8(inClass(Load(units + at)))) ^ 0xFFFFu;
        if (outside != 0) return at + static_cast<std::uint32_t>(LowestBit(outside)) / 2;
    }
    return at;
}
#endif

template <typename IsIn>
std::uint32_t ScalarRun(const char16_t* units, std::uint32_t count, std::uint32_t at, IsIn isIn) {
    while (at < count && isIn(units[at])) ++at;
    return at;
}

}  // namespace

std::uint32_t AsciiRun(const char16_t* units, std::uint32_t count) {
    std::uint32_t at = 0;
#if PATHBOOK_VECTOR_UNITS
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    at = VectorRun(units, count, [&](__m128i v) { return _mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128()); });
    if (at + kLanes <= count) return at;
#endif
    return ScalarRun(units, count, at, [](char16_t unit) { return unit < 0x80; });
}

std::uint32_t PrintableAsciiRun(const char16_t* units, std::uint32_t count) {
    std::uint32_t at = 0;
#if PATHBOOK_VECTOR_UNITS
    // Signed comparisons: units from 0x8000 on are negative and fall outside.
    const __m128i below = _mm_set1_epi16(0x1F);
    const __m128i above = _mm_set1_epi16(0x7F);
    at = VectorRun(units, count,
                   [&](__m128i v) { return _mm_and_si128(_mm_cmpgt_epi16(v, below), _mm_cmplt_epi16(v, above)); });
    if (at + kLanes <= count) return at;
#endif
    return ScalarRun(units, count, at, [](char16_t unit) { return unit >= 0x20 && unit < 0x7F; });
}

std::uint32_t NonSurrogateRun(const char16_t* units, std::uint32_t count) {
    std::uint32_t at = 0;
#if PATHBOOK_VECTOR_UNITS
    const __m128i mask = _mm_set1_epi16(static_cast<short>(0xF800));
    const __m128i surrogate = _mm_set1_epi16(static_cast<short>(0xD800));
    at = VectorRun(units, count, [&](__m128i v) {
        return _mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(v, mask), surrogate), _mm_set1_epi16(-1));
    });
    if (at + kLanes <= count) return at;
#endif
    return ScalarRun(units, count, at, [](char16_t unit) { return (unit & 0xF800) != 0xD800; });
}

void NarrowUnits(const char16_t* units, std::uint32_t count, std::uint8_t* out) {
    std::uint32_t at = 0;
#if PATHBOOK_VECTOR_UNITS
    for (; count - at >= 2 * kLanes; at += 2 * kLanes) {
        __m128i bytes = _mm_packus_epi16(Load(units + at), Load(units + at + kLanes));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), bytes);
    }
#endif
    for (; at < count; ++at) out[at] = static_cast<std::uint8_t>(units[at]);
}

}  // namespace pathbook
