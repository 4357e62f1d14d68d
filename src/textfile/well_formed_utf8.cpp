#include "textfile/well_formed_utf8.h"

#include "runtime/ascii_widen.h"

namespace pathbook {
namespace {

constexpr bool IsContinuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// One sequence of two to four bytes at `at`: its units go to `out` and the
// byte after it is returned; nullptr when it is not a well-formed character.
const std::uint8_t* DecodeSequence(const std::uint8_t* at, const std::uint8_t* end, char16_t*& out) {
    const std::uint32_t lead = at[0];
    const auto left = static_cast<std::size_t>(end - at);
    if (lead < 0xC2) return nullptr;
    if (lead < 0xE0) {
        if (left < 2 || !IsContinuation(at[1])) return nullptr;
        *out++ = static_cast<char16_t>((lead & 0x1F) << 6 | (at[1] & 0x3F));
        return at + 2;
    }
    if (lead < 0xF0) {
        if (left < 3 || !IsContinuation(at[1]) || !IsContinuation(at[2])) return nullptr;
        const std::uint32_t c = (lead & 0x0F) << 12 | (at[1] & 0x3Fu) << 6 | (at[2] & 0x3F);
        if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) return nullptr;
        *out++ = static_cast<char16_t>(c);
        return at + 3;
    }
    if (lead > 0xF4 || left < 4 || !IsContinuation(at[1]) || !IsContinuation(at[2]) || !IsContinuation(at[3])) {
        return nullptr;
    }
    const std::uint32_t c = (lead & 0x07) << 18 | (at[1] & 0x3Fu) << 12 | (at[2] & 0x3Fu) << 6 | (at[3] & 0x3F);
    if (c < 0x10000 || c > 0x10FFFF) return nullptr;
    *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    return at + 4;
}

}  // namespace

const std::uint8_t* DecodeWellFormedUtf8(const std::uint8_t* at, const std::uint8_t* limit, const std::uint8_t* end,
                                         char16_t*& out) {
    char16_t* units = out;
    while (at < limit) {
        if (*at >= 0x80) {
            const std::uint8_t* next = DecodeSequence(at, end, units);
            if (next == nullptr) break;
            at = next;
            continue;
        }
        at = WidenPlainAscii(at, limit, units);
        // The byte that stopped the blocks, or one of the few before the limit.
        if (at == limit || *at >= 0x80) continue;
        if (*at == 0x0D || *at == 0x0A) break;
        *units++ = *at++;
    }
    out = units;
    return at;
}

}  // namespace pathbook
