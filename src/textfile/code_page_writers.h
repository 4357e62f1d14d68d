// The encoders that go through the platform's code-page conversion: the plain
// code-page encoder (UTF-8 and UTF-7 included) and the ones that rework
// Shift_JIS, EUC-KR or GB2312 bytes into EUC-JP, ISO-2022-JP, ISO-2022-KR,
// ISO-2022-CN or HZ. Characters a code page cannot hold become its default
// character (or the system's look-alike). Tested by encoder_test.cpp.
#pragma once

#include "platform/code_page.h"
#include "textfile/text_writer.h"

namespace pathbook {

// A line of ASCII is narrowed here, without a conversion call, where the code
// page writes ASCII as ASCII (asked of the system once, when the writer is made).
class CodePageWriter final : public TextWriter {
public:
    explicit CodePageWriter(platform::CodePage codePage);
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;

private:
    platform::CodePage codePage_;
    bool keepsAscii_;
};

// Shift_JIS bytes become EUC-JP: JIS X 0208 with the high bit set, half-width
// katakana after 0x8E. A Shift_JIS byte that is neither (0x80, 0xA0,
// 0xFD-0xFF: no JIS character) is written as "?".
class EucJpWriter final : public TextWriter {
public:
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;

private:
    ByteBuffer shiftJis_;
};

// Every call starts and ends in ASCII, so every line and every break does.
class Iso2022JpWriter final : public TextWriter {
public:
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;

private:
    ByteBuffer shiftJis_;
};

// ISO-2022-KR and ISO-2022-CN shift with SO/SI, HZ with "~{" / "~}" (and writes
// "~" as "~~"). Every call starts and ends single-byte.
class Iso2022Writer final : public TextWriter {
public:
    enum class Shifts { kSoSi, kHz };
    Iso2022Writer(platform::CodePage codePage, Shifts shifts) : codePage_(codePage), shifts_(shifts) {}
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;

private:
    platform::CodePage codePage_;
    Shifts shifts_;
    ByteBuffer doubleBytes_;
};

}  // namespace pathbook
