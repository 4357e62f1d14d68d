#include "textfile/detection.h"

#include <cstring>

#include "platform/code_page.h"
#include "textfile/text_reader_factory.h"
#include "textfile/utf8_lead.h"

namespace pathbook {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kEsc = 0x1B;

// Files this short are read in the ANSI code page unless the user chose.
constexpr std::uint32_t kTooShortToExamine = 4;
// Short files with mostly-CR LF line ends and no byte typical of UTF-8 or
// EUC are taken as the ANSI code page without the EUC-JP and UTF-8 tests.
constexpr std::uint32_t kShortFile = 512;

struct ByteCounts {
    std::uint32_t of[256] = {};
    bool eightBit = false;

    std::uint32_t InRange(std::uint8_t low, std::uint8_t high) const {
        std::uint32_t sum = 0;
        for (std::uint32_t b = low; b <= high; ++b) sum += of[b];
        return sum;
    }
};

// Four tables in turn: a run of one byte value then adds to four counters, not
// one, whose every increment would wait for the one before.
ByteCounts CountBytes(const std::uint8_t* bytes, std::uint32_t count) {
    ByteCounts counts;
    std::uint32_t lanes[3][256] = {};
    std::uint32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        ++counts.of[bytes[i]];
        ++lanes[0][bytes[i + 1]];
        ++lanes[1][bytes[i + 2]];
        ++lanes[2][bytes[i + 3]];
    }
    for (; i < count; ++i) ++counts.of[bytes[i]];
    for (std::uint32_t b = 0; b < 256; ++b) counts.of[b] += lanes[0][b] + lanes[1][b] + lanes[2][b];
    counts.eightBit = counts.InRange(0x80, 0xFF) > 0;
    return counts;
}

LineEnd LineEndStyle(const ByteCounts& counts) {
    std::uint64_t cr = counts.of[kCr];
    std::uint64_t lf = counts.of[kLf];
    if (cr > 2 * lf) return LineEnd::kCr;
    if (lf > 2 * cr) return LineEnd::kLf;
    return LineEnd::kCrLf;
}

bool StartsWith(const std::uint8_t* bytes, std::uint32_t count, const std::uint8_t* mark, std::uint32_t length) {
    if (count < length) return false;
    for (std::uint32_t i = 0; i < length; ++i) {
        if (bytes[i] != mark[i]) return false;
    }
    return true;
}

constexpr std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
constexpr std::uint8_t kUtf32BeMark[] = {0x00, 0x00, 0xFE, 0xFF};
constexpr std::uint8_t kUtf32LeMark[] = {0xFF, 0xFE, 0x00, 0x00};
constexpr std::uint8_t kUtf16BeMark[] = {0xFE, 0xFF};
constexpr std::uint8_t kUtf16LeMark[] = {0xFF, 0xFE};
constexpr std::uint8_t kIso2022KrHeader[] = {kEsc, '$', ')', 'C'};
constexpr std::uint8_t kIso2022CnHeader[] = {kEsc, '$', ')', 'A'};

// A Unicode family: the member with a mark, the one without, and the mark.
struct MarkFamily {
    CharsetId withMark;
    CharsetId withoutMark;
    const std::uint8_t* mark;
    std::uint32_t markLength;
};

const MarkFamily kMarkFamilies[] = {
    {charset::kUtf8Bom, charset::kUtf8, kUtf8Mark, 3},
    {charset::kUtf32LeBom, charset::kUtf32Le, kUtf32LeMark, 4},
    {charset::kUtf32BeBom, charset::kUtf32Be, kUtf32BeMark, 4},
    {charset::kUtf16LeBom, charset::kUtf16Le, kUtf16LeMark, 2},
    {charset::kUtf16BeBom, charset::kUtf16Be, kUtf16BeMark, 2},
};

CharsetId DecideMark(const std::uint8_t* bytes, std::uint32_t count, CharsetId requested) {
    for (const MarkFamily& family : kMarkFamilies) {
        if (requested == family.withMark || requested == family.withoutMark) {
            return StartsWith(bytes, count, family.mark, family.markLength) ? family.withMark : family.withoutMark;
        }
    }
    return requested;
}

bool IsUtf5Letter(std::uint32_t b) { return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'V'); }

bool AllUtf5Letters(const ByteCounts& counts, std::uint32_t count) {
    std::uint32_t letters = 0;
    for (std::uint32_t b = 0; b < 256; ++b) {
        if (IsUtf5Letter(b)) letters += counts.of[b];
    }
    return letters == count;
}

// Accepts overlong forms and surrogates; a sequence cut off by the end of the
// examined bytes still passes, since the window may cut any character. ASCII
// goes eight bytes at a time, a sequence at a time otherwise.
bool LooksLikeUtf8(const std::uint8_t* bytes, std::uint32_t count) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    std::uint32_t i = 0;
    while (i < count) {
        std::uint64_t eight;
        if (count - i >= 8 && (std::memcpy(&eight, bytes + i, 8), (eight & kHighBits) == 0)) {
            i += 8;
            continue;
        }
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::uint32_t length = Utf8SequenceLength(lead);
        if (length == 1) return false;
        if (length <= 4 && count - i >= 4) {
            // The three bytes after the lead at once, those of the sequence checked.
            const std::uint32_t next = bytes[i + 1] | std::uint32_t{bytes[i + 2]} << 8 | std::uint32_t{bytes[i + 3]} << 16;
            const std::uint32_t claimed = (1u << (8 * (length - 1))) - 1;
            if (((next & 0xC0C0C0u) ^ 0x808080u) & claimed) return false;
            i += length;
            continue;
        }
        const std::uint32_t end = length <= count - i ? i + length : count;
        for (++i; i < end; ++i) {
            if ((bytes[i] & 0xC0) != 0x80) return false;
        }
    }
    return true;
}

bool IsChineseOrKoreanSystem(platform::CodePage acp) { return acp == 949 || acp == 936 || acp == 950; }

CharsetId DetectAutomatically(const std::uint8_t* bytes, std::uint32_t count, const ByteCounts& counts,
                              LineEnd lineEnd, CharsetId acp) {
    // Marks in this order, so that a UTF-32LE mark is not taken for a UTF-16LE one.
    if (StartsWith(bytes, count, kUtf8Mark, 3)) return charset::kUtf8Bom;
    if (StartsWith(bytes, count, kUtf32BeMark, 4)) return charset::kUtf32BeBom;
    if (StartsWith(bytes, count, kUtf32LeMark, 4)) return charset::kUtf32LeBom;
    if (StartsWith(bytes, count, kUtf16BeMark, 2)) return charset::kUtf16BeBom;
    if (StartsWith(bytes, count, kUtf16LeMark, 2)) return charset::kUtf16LeBom;
    if (StartsWith(bytes, count, kIso2022KrHeader, 4) && platform::IsValidCodePage(949)) return charset::kIso2022Kr;
    if (StartsWith(bytes, count, kIso2022CnHeader, 4) && platform::IsValidCodePage(936)) return charset::kIso2022Cn;
    bool japanese = platform::IsValidCodePage(932);
    if (japanese && !counts.eightBit && counts.of[kEsc] > 0) return charset::kIso2022Jp;
    if (AllUtf5Letters(counts, count)) return charset::kUtf5;
    if (!counts.eightBit) return acp;
    bool utf8OrEucBytes = counts.of[0x80] + counts.of[0xFD] + counts.of[0xFE] + counts.of[0xFF] > 0;
    if (count <= kShortFile && lineEnd != LineEnd::kLf && !utf8OrEucBytes) return acp;
    if (japanese && !IsChineseOrKoreanSystem(static_cast<platform::CodePage>(acp)) &&
        counts.InRange(0x7F, 0x8D) == 0 && counts.InRange(0x90, 0xA0) == 0) {
        return charset::kEucJp;
    }
    if (LooksLikeUtf8(bytes, count)) return charset::kUtf8;
    return acp;
}

}  // namespace

Detection DetectEncoding(const std::uint8_t* bytes, std::uint32_t count, CharsetId requested) {
    ByteCounts counts = CountBytes(bytes, count);
    Detection result;
    result.lineEnd = LineEndStyle(counts);
    result.noLineBreaks = counts.of[kCr] == 0 && counts.of[kLf] == 0;
    auto acp = static_cast<CharsetId>(platform::AnsiCodePage());
    // A choice the system cannot read (remembered on another machine, or given
    // on the command line) would load an empty document, which a save would
    // then write over the file: the file's own bytes decide instead.
    if (!CanRead(requested)) requested = charset::kAutoDetect;
    if (count <= kTooShortToExamine) {
        result.charset = requested != charset::kAutoDetect ? requested : acp;
    } else if (requested != charset::kAutoDetect) {
        result.charset = DecideMark(bytes, count, requested);
    } else {
        result.charset = DetectAutomatically(bytes, count, counts, result.lineEnd, acp);
    }
    return result;
}

}  // namespace pathbook
