// UTF-16 in either byte order. Surrogates pass through unchanged; an odd last
// byte is ignored (and reported by Replaced).
#pragma once

#include "runtime/bit_scan.h"
#include "runtime/byte_order.h"
#include "runtime/vector_units.h"
#include "textfile/text_reader.h"

namespace pathbook {

template <ByteOrder Order>
class Utf16Units {
public:
    explicit Utf16Units(ByteCursor bytes)
        : cursor_(bytes.cursor), end_(bytes.cursor + (bytes.Remaining() & ~1u)), oddByte_((bytes.Remaining() & 1u) != 0) {}
    char16_t Peek() const { return static_cast<char16_t>(LoadUnit16<Order>(cursor_)); }
    void Advance() { cursor_ += 2; }
    bool AtEnd() const { return cursor_ == end_; }
    const std::uint8_t* Position() const { return cursor_; }
    bool Replaced() const { return oddByte_; }

    // Stores units up to `room`, the end, or the first CR, LF or U+FEFF (which
    // the line reader handles one by one), and returns how many: most of a
    // line goes over in blocks.
    std::uint32_t TakePlain(char16_t* out, std::uint32_t room) {
        std::uint32_t available = static_cast<std::uint32_t>(end_ - cursor_) / 2;
        if (available < room) room = available;
        std::uint32_t taken = TakeBlocks(out, room);
        for (; taken < room; ++taken) {
            char16_t unit = static_cast<char16_t>(LoadUnit16<Order>(cursor_));
            if (unit == kCarriageReturn || unit == kLineFeed || unit == kByteOrderMark) break;
            out[taken] = unit;
            cursor_ += 2;
        }
        return taken;
    }

private:
    // Eight units at a time while none of them is special. The block that
    // holds the first special unit is stored whole (it lies within `room`),
    // and only the units before that one count as taken.
    std::uint32_t TakeBlocks(char16_t* out, std::uint32_t room) {
        std::uint32_t taken = 0;
#if PATHBOOK_VECTOR_UNITS
        for (; room - taken >= 8; taken += 8, cursor_ += 16) {
            __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cursor_));
            if (Order == ByteOrder::kBigEndian) units = _mm_or_si128(_mm_slli_epi16(units, 8), _mm_srli_epi16(units, 8));
            __m128i special = _mm_or_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16(kCarriageReturn)),
                                           _mm_cmpeq_epi16(units, _mm_set1_epi16(kLineFeed)));
            special = _mm_or_si128(special, _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(kByteOrderMark))));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + taken), units);
            const unsigned stops = static_cast<unsigned>(_mm_movemask_epi8(special));
            if (stops != 0) {
                const auto plain = static_cast<std::uint32_t>(LowestBit(stops)) / 2;
                cursor_ += 2 * plain;
                return taken + plain;
            }
        }
#else
        (void)out;
        (void)room;
#endif
        return taken;
    }

    const std::uint8_t* cursor_;
    const std::uint8_t* end_;  // invariant: (end_ - cursor_) is even
    bool oddByte_;             // the file's last byte is left over
};

}  // namespace pathbook
