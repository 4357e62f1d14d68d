// Single characters of a code page as the system converts them, remembered:
// each is converted on its own the first time it is looked up, so a large
// file costs one conversion per distinct character instead of one per
// stretch. The readers' fast paths and the ISO-2022 character sets look
// characters up here. The tables belong to the process: a
// character is learnt once under a lock and read by every thread without one
// (the notebook decodes notes on several threads).
// Tested by decoder_test.cpp and the decoder fuzz targets.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/code_page.h"

namespace pathbook {

class CodePageCharacters {
public:
    // What the system makes of one character's bytes converted alone.
    struct Conversion {
        char16_t units[2];
        std::uint8_t count;  // 0 to 2; more units than two are cut off
        bool replaced;       // the bytes are no character: the system put U+FFFD or its default character
        std::atomic<bool> known;  // converted already: set last, once the fields above are
    };

    // The table of `codePage`, made on first use.
    static CodePageCharacters& Of(platform::CodePage codePage);

    // Two bytes converted as one character.
    const Conversion& Pair(std::uint8_t lead, std::uint8_t trail) {
        const Conversion* row = pairRows_[lead].load(std::memory_order_acquire);
        return row != nullptr && row[trail].known.load(std::memory_order_acquire) ? row[trail] : LearnPair(lead, trail);
    }
    // One byte converted alone.
    const Conversion& Single(std::uint8_t byte) {
        const Conversion& entry = singles_[byte];
        return entry.known.load(std::memory_order_acquire) ? entry : LearnSingle(byte);
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
    std::mutex learning_;  // held while a character is learnt or a row made
    Conversion singles_[256] = {};
    // Per lead byte, made on first use; the tables live as long as the process.
    std::atomic<Conversion*> pairRows_[256] = {};
};

}  // namespace pathbook
