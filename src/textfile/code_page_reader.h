// The decoder of every Windows code page, UTF-8 included: finds the end of the
// line in the bytes, then converts the whole stretch at once through the
// platform's code-page conversion straight into the caller's buffer.
//
// Most text takes a fast path instead: ASCII is widened, well-formed UTF-8 is
// decoded here, and the characters of code pages that convert one character
// at a time come from a table of single conversions. The fast path stops at
// the first character it cannot vouch for; the rest of the stretch is then
// converted by the system as one piece, so the text is exactly what the
// system's conversion of the stretch gives.
// Tested by decoder_test.cpp.
#pragma once

#include "platform/code_page.h"
#include "textfile/code_page_characters.h"
#include "textfile/text_reader.h"

namespace pathbook {

class CodePageReader final : public TextReader {
public:
    // A UTF-8 mark at the start is skipped (and only there: a U+FEFF later in
    // the text is kept). Without `fastPath` every stretch goes the exact way,
    // for checking the fast path against it.
    CodePageReader(platform::CodePage codePage, ByteCursor bytes, bool fastPath = true);

    // Consumes at most capacity / 2 bytes (plus the rest of a character cut by
    // that limit), which no code page turns into more than capacity units.
    // A capacity of 1 still moves on, but a character that needs two units
    // keeps only its first.
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override;
    const std::uint8_t* Position() const override { return bytes_.cursor; }
    // The system may turn bytes other than CR and LF into those units; the
    // fast path never does.
    bool LastReadMayHoldBreaks() const override { return converted_; }


private:
    enum class FastPath : std::uint8_t { kNone, kUtf8, kTable };

    // The fast path from `at` up to the limit: returns the character boundary
    // where it stopped (at or past the limit, at a line break, or at a
    // character for the system) with `out` advanced past its units.
    const std::uint8_t* DecodeFast(const std::uint8_t* at, const std::uint8_t* limit, char16_t*& out) const;
    const std::uint8_t* DecodeWithTable(const std::uint8_t* at, const std::uint8_t* limit, char16_t*& out) const;
    // The end of the stretch from `at`: the limit (or the end of the
    // character it cuts) or the first line break.
    const std::uint8_t* StretchEnd(const std::uint8_t* at, const std::uint8_t* limit, bool& ascii) const;
    const std::uint8_t* CharacterEnd(const std::uint8_t* at) const;

    platform::CodePage codePage_;
    bool keepsAscii_;  // ASCII stretches are widened here, not converted
    FastPath fastPath_;
    CodePageCharacters* characters_ = nullptr;  // with FastPath::kTable
    ByteCursor bytes_;
    bool converted_ = false;  // the last read went through the system's conversion
};

}  // namespace pathbook
