// UTF-5: one character per UTF-16 unit, written as hexadecimal digits; the
// first digit is a letter "G"-"V" (0-15), the following ones "0"-"9", "A"-"F".
// Line breaks are themselves encoded ("GD" is CR).
#pragma once

#include "textfile/text_reader.h"

namespace pathbook {

class Utf5Units {
public:
    explicit Utf5Units(ByteCursor bytes) : bytes_(bytes) {}

    // A character that does not start with a letter still gets a value (the
    // first byte counts from "G"); the value keeps its low 16 bits.
    char16_t Peek() const {
        std::uint32_t value = *bytes_.cursor - kFirstLetter;
        for (const std::uint8_t* at = bytes_.cursor + 1; at < bytes_.end && *at < kFirstLetter; ++at) {
            value = value * 16 + Digit(*at);
        }
        return static_cast<char16_t>(value);
    }
    void Advance() {
        ++bytes_.cursor;
        while (bytes_.cursor < bytes_.end && *bytes_.cursor < kFirstLetter) ++bytes_.cursor;
    }
    bool AtEnd() const { return bytes_.cursor == bytes_.end; }
    const std::uint8_t* Position() const { return bytes_.cursor; }

private:
    static constexpr std::uint32_t kFirstLetter = 'G';
    static std::uint32_t Digit(std::uint8_t b) { return b <= '9' ? b - '0' : b - 'A' + 10u; }

    ByteCursor bytes_;
};

}  // namespace pathbook
