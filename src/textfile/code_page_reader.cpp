#include "textfile/code_page_reader.h"

#include "runtime/bit_scan.h"
#include "runtime/vector_units.h"
#include "textfile/utf8_lead.h"

namespace pathbook {
namespace {

constexpr platform::CodePage kUtf8 = 65001;

bool IsBreak(std::uint8_t b) { return b == kCarriageReturn || b == kLineFeed; }

// Code pages whose bytes 0x00-0x7F are ASCII in the system's tables, so a
// stretch without a byte >= 0x80 needs no conversion call. (Not Johab: its
// 0x5C is the won sign in some tables.)
bool KeepsAscii(platform::CodePage codePage) {
    static const platform::CodePage kAsciiCodePages[] = {437,  874,  932,  936,  949,  950,   1250,  1251,
                                                          1252, 1253, 1254, 1255, 1256, 1257,  1258,  20866,
                                                          21866, 28591, 28592, 28595, 28597, 65001};
    for (platform::CodePage known : kAsciiCodePages) {
        if (known == codePage) return true;
    }
    return false;
}

#if PATHBOOK_VECTOR_UNITS
// Sixteen bytes at a time while they are ASCII and hold no line break. The
// block that holds the first other byte is widened whole too (the caller's
// buffer has room for it), which spares the bytes before that one a second
// look.
const std::uint8_t* WidenAsciiBlocks(const std::uint8_t* at, const std::uint8_t* limit, char16_t*& out) {
    const __m128i zero = _mm_setzero_si128();
    for (; limit - at >= 16; at += 16, out += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(kCarriageReturn))),
                                            _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(kLineFeed))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        const unsigned stops = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(bytes, breaks)));
        if (stops != 0) {
            const int asciiBytes = LowestBit(stops);
            out += asciiBytes;
            return at + asciiBytes;
        }
    }
    return at;
}
#endif

// Widens the ASCII bytes from `at` up to the limit, a line break or a byte of
// 0x80 or above into `out`, and returns where it stopped.
const std::uint8_t* WidenAscii(const std::uint8_t* at, const std::uint8_t* limit, char16_t* out) {
#if PATHBOOK_VECTOR_UNITS
    at = WidenAsciiBlocks(at, limit, out);
#endif
    while (at < limit && *at < 0x80 && !IsBreak(*at)) *out++ = *at++;
    return at;
}

}  // namespace

CodePageReader::CodePageReader(platform::CodePage codePage, ByteCursor bytes)
    : codePage_(codePage), keepsAscii_(KeepsAscii(codePage)), bytes_(bytes) {
    if (codePage_ == kUtf8 && bytes_.Remaining() >= 3 && bytes_.cursor[0] == 0xEF && bytes_.cursor[1] == 0xBB &&
        bytes_.cursor[2] == 0xBF) {
        bytes_.cursor += 3;
    }
}

// A lead byte never takes a CR or LF as its trail: a line break stays a line
// break even after a cut-off or malformed character.
const std::uint8_t* CodePageReader::CharacterEnd(const std::uint8_t* at) const {
    const std::uint8_t* next = nullptr;
    if (codePage_ == kUtf8) {
        std::uint32_t length = Utf8SequenceLength(*at);
        std::uint32_t left = static_cast<std::uint32_t>(bytes_.end - at);
        next = at + (length < left ? length : left);
    } else {
        next = platform::NextCharacter(codePage_, at, bytes_.end);
    }
    for (const std::uint8_t* p = at + 1; p < next; ++p) {
        if (IsBreak(*p)) return p;
    }
    return next;
}

std::uint32_t CodePageReader::Read(char16_t* buffer, std::uint32_t capacity) {
    if (capacity == 0) {
        state_ = bytes_.cursor == bytes_.end ? ReadState::kFinished : ReadState::kBufferFull;
        return 0;
    }
    std::uint32_t window = capacity > 1 ? capacity / 2 : 1;
    const std::uint8_t* limit = bytes_.Remaining() <= window ? bytes_.end : bytes_.cursor + window;
    state_ = limit == bytes_.end ? ReadState::kFinished : ReadState::kBufferFull;
    // ASCII is widened while the line end is looked for, so a line of plain
    // ASCII is read once; the window never holds more bytes than `buffer` units.
    const std::uint8_t* at = WidenAscii(bytes_.cursor, limit, buffer);
    bool ascii = true;
    while (at < limit) {
        std::uint8_t b = *at;
        if (IsBreak(b)) break;
        ascii = ascii && b < 0x80;
        at = b < 0x80 ? at + 1 : CharacterEnd(at);
    }
    // Only a line break stops the scans before the limit.
    if (at < limit) state_ = ReadState::kAtLineBreak;
    auto length = static_cast<std::size_t>(at - bytes_.cursor);
    std::size_t stored = length;
    if (!ascii || !keepsAscii_) {
        bool replaced = false;
        stored = platform::DecodeCodePage(codePage_, bytes_.cursor, length, buffer, capacity, &replaced);
        if (stored > capacity) stored = capacity;
        replacedBytes_ = replacedBytes_ || replaced;
    }
    bytes_.cursor = at;
    if (state_ == ReadState::kAtLineBreak) {
        bool crLf = *at == kCarriageReturn && at + 1 < bytes_.end && at[1] == kLineFeed;
        bytes_.cursor += crLf ? 2 : 1;
    }
    return static_cast<std::uint32_t>(stored);
}

}  // namespace pathbook
