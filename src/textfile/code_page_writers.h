// The encoders that go through the platform's code-page conversion: the plain
// code-page encoder (UTF-8 and UTF-7 included) and the ones that rework
// Shift_JIS, EUC-KR or GB2312 bytes into EUC-JP, ISO-2022-JP, ISO-2022-KR,
// ISO-2022-CN or HZ. Characters a code page cannot hold become its default
// character. Tested by encoder_test.cpp.
#pragma once

#include <vector>

#include "platform/code_page.h"
#include "textfile/text_writer.h"

namespace pathbook {

// Converts through one buffer that grows as needed and is never shrunk.
class CodePageConversion {
public:
    explicit CodePageConversion(platform::CodePage codePage);
    // The bytes of `units`; valid until the next call.
    const std::uint8_t* Convert(const char16_t* units, std::uint32_t count, std::size_t* length);

private:
    platform::CodePage codePage_;
    std::vector<std::uint8_t> buffer_;
};

class CodePageWriter final : public TextWriter {
public:
    CodePageWriter(FileWriter& file, platform::CodePage codePage) : TextWriter(file), conversion_(codePage) {}
    void Write(const char16_t* units, std::uint32_t count) override;

private:
    CodePageConversion conversion_;
};

// Shift_JIS bytes become EUC-JP: JIS X 0208 with the high bit set, half-width
// katakana after 0x8E.
class EucJpWriter final : public TextWriter {
public:
    explicit EucJpWriter(FileWriter& file);
    void Write(const char16_t* units, std::uint32_t count) override;

private:
    CodePageConversion conversion_;
};

// Every call starts and ends in ASCII, so every line and every break does.
class Iso2022JpWriter final : public TextWriter {
public:
    explicit Iso2022JpWriter(FileWriter& file);
    void Write(const char16_t* units, std::uint32_t count) override;

private:
    CodePageConversion conversion_;
};

// ISO-2022-KR and ISO-2022-CN shift with SO/SI, HZ with "~{" / "~}" (and writes
// "~" as "~~"). Every call starts and ends single-byte.
class Iso2022Writer final : public TextWriter {
public:
    enum class Shifts { kSoSi, kHz };
    Iso2022Writer(FileWriter& file, platform::CodePage codePage, Shifts shifts);
    void Write(const char16_t* units, std::uint32_t count) override;

private:
    CodePageConversion conversion_;
    Shifts shifts_;
};

}  // namespace pathbook
