// The encoders that work one UTF-16 unit at a time and need no conversion
// tables: UTF-16, UTF-32 and UTF-5. Tested by encoder_test.cpp.
#pragma once

#include "runtime/byte_order.h"
#include "textfile/text_writer.h"

namespace pathbook {

template <ByteOrder Order>
class Utf16Writer final : public TextWriter {
public:
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;
};

// A high surrogate followed by a low one becomes one value; any other unit,
// an unpaired surrogate included, is written as its own value, so text that
// is not well-formed UTF-16 still comes back unchanged when read.
template <ByteOrder Order>
class Utf32Writer final : public TextWriter {
public:
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;
};

// Each unit (surrogates one at a time) as 1-4 hexadecimal digits, the first
// written as a letter "G"-"V".
class Utf5Writer final : public TextWriter {
public:
    bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) override;
};

}  // namespace pathbook
