#include "textfile/character_sets.h"

#include <memory>

#include "textfile/code_page_characters.h"
#include "textfile/decoding_tables.h"

namespace pathbook {
namespace {

// JIS X 0208 row and cell to the Shift_JIS pair that holds the same character.
void ShiftJisOf(std::uint8_t first, std::uint8_t second, std::uint8_t* lead, std::uint8_t* trail) {
    std::uint32_t row = static_cast<std::uint8_t>((first & 0x7F) - 0x20);
    std::uint32_t cell = static_cast<std::uint8_t>((second & 0x7F) - 0x20);
    *lead = static_cast<std::uint8_t>(((row + 1) >> 1) + (row < 63 ? 128 : 192));
    *trail = static_cast<std::uint8_t>(cell + (row % 2 == 0 ? 158 : (cell < 64 ? 63 : 64)));
}

std::size_t SetIndex(CharacterSet set) {
    return set == CharacterSet::kKsX1001 ? 1 : set == CharacterSet::kGb2312 ? 2 : 0;
}

// The code page of each set's characters, looked up once per set of tables.
CodePageCharacters& CharactersOf(CharacterSet set) {
    static constexpr platform::CodePage kCodePages[3] = {932, 949, 936};
    const std::size_t index = SetIndex(set);
    CodePageCharacters*& characters = ThreadDecodingTables().setCharacters[index];
    if (characters == nullptr) characters = &CodePageCharacters::Of(kCodePages[index]);
    return *characters;
}

const CodePageCharacters::Conversion& ConversionOf(CharacterSet set, std::uint8_t first, std::uint8_t second) {
    CodePageCharacters& characters = CharactersOf(set);
    if (set == CharacterSet::kKatakana) return characters.Single(static_cast<std::uint8_t>(first | 0x80));
    if (set != CharacterSet::kJisX0208) {
        return characters.Pair(static_cast<std::uint8_t>(first | 0x80), static_cast<std::uint8_t>(second | 0x80));
    }
    std::uint8_t lead = 0;
    std::uint8_t trail = 0;
    ShiftJisOf(first, second, &lead, &trail);
    return characters.Pair(lead, trail);
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
    const CodePageCharacters::Conversion& conversion = ConversionOf(set, first, second);
    for (std::uint32_t i = 0; i < conversion.count; ++i) out[i] = conversion.units[i];
    *replaced = conversion.replaced || conversion.count == 0;
    return conversion.count;
}

// Per thread, as the conversions they are learnt from.
DoubleByteUnits& DoubleByteUnits::Of(CharacterSet set) {
    std::unique_ptr<DoubleByteUnits>& table = ThreadDecodingTables().doubleByte[SetIndex(set)];
    if (!table) table.reset(new DoubleByteUnits(set));
    return *table;
}

char16_t DoubleByteUnits::Learn(std::uint8_t first, std::uint8_t second) const {
    const char16_t unit = CodePageCharacters::PlainUnit(ConversionOf(set_, first, second));
    return unit == 0 || unit == 0x0D || unit == 0x0A ? kNotPlain : unit;
}

}  // namespace pathbook
