#include "textfile/character_sets.h"

#include <memory>

#include "platform/code_page.h"

namespace pathbook {
namespace {

// The conversion of one character, remembered.
struct Entry {
    char16_t units[kMaxUnitsPerCharacter];
    std::uint8_t count;
    bool filled;
    bool replaced;
};

struct SetBytes {
    std::uint8_t bytes[2];
    std::uint32_t count;
};

// JIS X 0208 row and cell to the Shift_JIS pair that holds the same character.
SetBytes ShiftJisOf(std::uint8_t first, std::uint8_t second) {
    std::uint32_t row = static_cast<std::uint8_t>((first & 0x7F) - 0x20);
    std::uint32_t cell = static_cast<std::uint8_t>((second & 0x7F) - 0x20);
    std::uint32_t s1 = ((row + 1) >> 1) + (row < 63 ? 128 : 192);
    std::uint32_t s2 = cell + (row % 2 == 0 ? 158 : (cell < 64 ? 63 : 64));
    return {{static_cast<std::uint8_t>(s1), static_cast<std::uint8_t>(s2)}, 2};
}

struct SetEncoding {
    platform::CodePage codePage;
    SetBytes (*bytesOf)(std::uint8_t first, std::uint8_t second);
};

SetEncoding EncodingOf(CharacterSet set) {
    switch (set) {
        case CharacterSet::kKatakana:
            return {932, [](std::uint8_t first, std::uint8_t) {
                        return SetBytes{{static_cast<std::uint8_t>(first | 0x80), 0}, 1};
                    }};
        case CharacterSet::kJisX0208: return {932, ShiftJisOf};
        case CharacterSet::kKsX1001:
            return {949, [](std::uint8_t first, std::uint8_t second) {
                        return SetBytes{{static_cast<std::uint8_t>(first | 0x80), static_cast<std::uint8_t>(second | 0x80)}, 2};
                    }};
        default:
            return {936, [](std::uint8_t first, std::uint8_t second) {
                        return SetBytes{{static_cast<std::uint8_t>(first | 0x80), static_cast<std::uint8_t>(second | 0x80)}, 2};
                    }};
    }
}

constexpr std::uint32_t kTableSize = 128 * 128;
constexpr std::uint32_t kTableCount = 6;

// Filled as characters are first met, so each thread has tables of its own.
Entry& TableEntry(CharacterSet set, std::uint8_t first, std::uint8_t second) {
    thread_local std::unique_ptr<Entry[]> tables[kTableCount];
    std::unique_ptr<Entry[]>& table = tables[static_cast<std::uint32_t>(set)];
    if (!table) table.reset(new Entry[kTableSize]());
    std::uint32_t index = IsDoubleByte(set) ? (first & 0x7Fu) << 7 | (second & 0x7Fu) : first & 0x7Fu;
    return table[index];
}

}  // namespace

std::uint32_t DecodeSetCharacter(CharacterSet set, std::uint8_t first, std::uint8_t second, char16_t* out,
                                 bool* replaced) {
    *replaced = false;
    if (set == CharacterSet::kAscii) {
        out[0] = static_cast<char16_t>(first & 0x7F);
        return 1;
    }
    if (set == CharacterSet::kLatin1Upper) {
        out[0] = static_cast<char16_t>(first | 0x80);
        return 1;
    }
    Entry& entry = TableEntry(set, first, second);
    if (!entry.filled) {
        SetEncoding encoding = EncodingOf(set);
        SetBytes bytes = encoding.bytesOf(first, second);
        char16_t units[8];
        bool replacedBytes = false;
        std::size_t count =
            platform::DecodeCodePage(encoding.codePage, bytes.bytes, bytes.count, units, 8, &replacedBytes);
        entry.replaced = replacedBytes || count == 0;
        entry.count = static_cast<std::uint8_t>(count < kMaxUnitsPerCharacter ? count : kMaxUnitsPerCharacter);
        for (std::uint32_t i = 0; i < entry.count; ++i) entry.units[i] = units[i];
        entry.filled = true;
    }
    for (std::uint32_t i = 0; i < entry.count; ++i) out[i] = entry.units[i];
    *replaced = entry.replaced;
    return entry.count;
}

}  // namespace pathbook
