// The decoder of every Windows code page, UTF-8 included: finds the end of the
// line in the bytes, then converts the whole stretch at once through the
// platform's code-page conversion straight into the caller's buffer.
// Tested by decoder_test.cpp.
#pragma once

#include "platform/code_page.h"
#include "textfile/text_reader.h"

namespace pathbook {

class CodePageReader final : public TextReader {
public:
    // A UTF-8 mark at the start is skipped (and only there: a U+FEFF later in
    // the text is kept).
    CodePageReader(platform::CodePage codePage, ByteCursor bytes);

    // Consumes at most capacity / 2 bytes (plus the rest of a character cut by
    // that limit), which no code page turns into more than capacity units.
    // A capacity of 1 still moves on, but a character that needs two units
    // keeps only its first.
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override;
    const std::uint8_t* Position() const override { return bytes_.cursor; }

private:
    const std::uint8_t* CharacterEnd(const std::uint8_t* at) const;

    platform::CodePage codePage_;
    bool keepsAscii_;  // ASCII stretches are widened here, not converted
    ByteCursor bytes_;
};

}  // namespace pathbook
