// Single characters of a code page as the system converts them, remembered:
// each is converted on its own the first time it is looked up, so a large
// file costs one conversion per distinct character instead of one per
// stretch. The readers' fast paths and the ISO-2022 character sets look
// characters up here. Each thread has tables of its own, so threads
// decode side by side without locks.
// Tested by decoder_test.cpp and the decoder fuzz targets.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/code_page.h"

namespace pathbook {

class CodePageCharacters {
public:
    // What the system makes of one character's bytes converted alone.
    struct Conversion {
        char16_t units[2];
        std::uint8_t count;  // 0 to 2; more units than two are cut off
        bool known;          // converted already
        bool replaced;       // the bytes are no character: the system put U+FFFD or its default character
    };

    // The table of `codePage`, made on first use.
    static CodePageCharacters& Of(platform::CodePage codePage);

    // Two bytes converted as one character.
    const Conversion& Pair(std::uint8_t lead, std::uint8_t trail) {
        const Conversion* row = pairRows_[lead].get();
        return row != nullptr && row[trail].known ? row[trail] : LearnPair(lead, trail);
    }
    // One byte converted alone.
    const Conversion& Single(std::uint8_t byte) {
        const Conversion& entry = singles_[byte];
        return entry.known ? entry : LearnSingle(byte);
    }

    // Whether `byte` starts a double-byte character (CharNextExA steps two).
    bool IsLead(std::uint8_t byte) const { return leads_[byte]; }

    // The unit of a character that stands for itself wherever it occurs: one
    // unit the system did not put for bytes it could not read (which may have
    // left a byte over for the next character, and must be reported). 0 otherwise.
    static char16_t PlainUnit(const Conversion& conversion) {
        return conversion.count == 1 && !conversion.replaced && conversion.units[0] != 0xFFFD ? conversion.units[0] : 0;
    }

private:
    explicit CodePageCharacters(platform::CodePage codePage);

    const Conversion& LearnPair(std::uint8_t lead, std::uint8_t trail);
    const Conversion& LearnSingle(std::uint8_t byte);
    void Convert(const std::uint8_t* bytes, std::uint32_t count, Conversion& into) const;

    platform::CodePage codePage_;
    bool leads_[256] = {};
    Conversion singles_[256] = {};
    std::unique_ptr<Conversion[]> pairRows_[256];  // per lead byte, made on first use
};

}  // namespace pathbook
