#include "textfile/code_page_reader.h"

#include "runtime/ascii_widen.h"
#include "textfile/utf8_lead.h"
#include "textfile/well_formed_utf8.h"

namespace pathbook {
namespace {

constexpr platform::CodePage kUtf8 = 65001;

// Reads of fewer units go the exact way only: the fast path stores blocks of
// sixteen and whole characters.
constexpr std::uint32_t kFastCapacity = 64;

bool IsBreak(std::uint8_t b) { return b == kCarriageReturn || b == kLineFeed; }

// Code pages whose bytes 0x00-0x7F are ASCII in the system's tables, so a
// stretch without a byte >= 0x80 needs no conversion call. (Not Johab: its
// 0x5C is the won sign in some tables.)
constexpr platform::CodePage kAsciiCodePages[] = {437,  874,  932,  936,  949,  950,   1250,  1251,
                                                  1252, 1253, 1254, 1255, 1256, 1257,  1258,  20866,
                                                  21866, 28591, 28592, 28595, 28597, 65001};
// Of those, the ones whose conversion of a stretch may depend on more than
// one character at a time (the POSIX build's 1255 and 1258 join a letter and
// the marks that follow it, ASCII letters too): no part of a stretch can be
// decoded apart from the rest.
constexpr platform::CodePage kComposingCodePages[] = {1255, 1258};

template <std::size_t N>
bool Contains(const platform::CodePage (&list)[N], platform::CodePage codePage) {
    for (platform::CodePage known : list) {
        if (known == codePage) return true;
    }
    return false;
}

}  // namespace

CodePageReader::CodePageReader(platform::CodePage codePage, ByteCursor bytes, bool fastPath)
    : codePage_(codePage),
      keepsAscii_(Contains(kAsciiCodePages, codePage)),
      fastPath_(!keepsAscii_ || !fastPath || Contains(kComposingCodePages, codePage) ? FastPath::kNone
                : codePage == kUtf8                                                    ? FastPath::kUtf8
                                                                                       : FastPath::kTable),
      bytes_(bytes) {
    if (fastPath_ == FastPath::kTable) characters_ = &CodePageCharacters::Of(codePage);
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

const std::uint8_t* CodePageReader::StretchEnd(const std::uint8_t* at, const std::uint8_t* limit, bool& ascii) const {
    while (at < limit) {
        std::uint8_t b = *at;
        if (IsBreak(b)) break;
        ascii = ascii && b < 0x80;
        at = b < 0x80 ? at + 1 : CharacterEnd(at);
    }
    return at;
}

const std::uint8_t* CodePageReader::DecodeFast(const std::uint8_t* at, const std::uint8_t* limit,
                                               char16_t*& out) const {
    switch (fastPath_) {
        case FastPath::kUtf8: return DecodeWellFormedUtf8(at, limit, bytes_.end, out);
        case FastPath::kTable: return DecodeWithTable(at, limit, out);
        case FastPath::kNone: break;
    }
    return at;
}

// Characters that convert to one unit of their own (PlainUnit) come from the
// table; a double-byte character needs a trail byte of 0x40 or above, which is
// never a line break, so the stretch's characters end where the exact scan
// ends them.
const std::uint8_t* CodePageReader::DecodeWithTable(const std::uint8_t* at, const std::uint8_t* limit,
                                                    char16_t*& out) const {
    CodePageCharacters& characters = *characters_;
    char16_t* units = out;
    while (at < limit) {
        const std::uint8_t b = *at;
        if (b < 0x80) {
            if (IsPlainAscii(b)) {
                at = WidenPlainAscii(at, limit, units);
                if (at == limit || !IsPlainAscii(*at)) continue;
            }
            if (IsBreak(*at)) break;
            *units++ = *at++;
            continue;
        }
        const bool lead = characters.IsLead(b);
        char16_t unit = 0;
        if (!lead) {
            unit = CodePageCharacters::PlainUnit(characters.Single(b));
        } else if (bytes_.end - at >= 2 && at[1] >= 0x40) {
            unit = CodePageCharacters::PlainUnit(characters.Pair(b, at[1]));
        }
        if (unit == 0) break;
        *units++ = unit;
        at += lead ? 2 : 1;
    }
    out = units;
    return at;
}

std::uint32_t CodePageReader::Read(char16_t* buffer, std::uint32_t capacity) {
    converted_ = false;
    if (capacity == 0) {
        state_ = bytes_.cursor == bytes_.end ? ReadState::kFinished : ReadState::kBufferFull;
        return 0;
    }
    std::uint32_t window = capacity > 1 ? capacity / 2 : 1;
    const std::uint8_t* limit = bytes_.Remaining() <= window ? bytes_.end : bytes_.cursor + window;
    state_ = limit == bytes_.end ? ReadState::kFinished : ReadState::kBufferFull;
    char16_t* out = buffer;
    const std::uint8_t* at = capacity >= kFastCapacity ? DecodeFast(bytes_.cursor, limit, out) : bytes_.cursor;
    if (at < limit && !IsBreak(*at)) {
        // The exact way for the rest of the stretch: found by characters,
        // converted as one piece. ASCII needs no conversion.
        const std::uint8_t* from = at;
        bool ascii = true;
        at = StretchEnd(at, limit, ascii);
        auto length = static_cast<std::size_t>(at - from);
        const std::size_t room = capacity - static_cast<std::size_t>(out - buffer);
        if (ascii && keepsAscii_) {
            for (const std::uint8_t* p = from; p < at; ++p) *out++ = *p;
        } else {
            bool replaced = false;
            std::size_t stored = platform::DecodeCodePage(codePage_, from, length, out, room, &replaced);
            out += stored < room ? stored : room;
            replacedBytes_ = replacedBytes_ || replaced;
            converted_ = true;
        }
    }
    // Only a line break stops the scans before the limit.
    if (at < limit) state_ = ReadState::kAtLineBreak;
    bytes_.cursor = at;
    if (state_ == ReadState::kAtLineBreak) {
        bool crLf = *at == kCarriageReturn && at + 1 < bytes_.end && at[1] == kLineFeed;
        bytes_.cursor += crLf ? 2 : 1;
    }
    return static_cast<std::uint32_t>(out - buffer);
}

}  // namespace pathbook
