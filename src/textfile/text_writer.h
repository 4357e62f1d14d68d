// An encoder: turns UTF-16 text into the bytes of one encoding. Line breaks
// arrive as text like any other (CR, LF or CR LF units), so every encoding
// writes them its own way. Encoders only make bytes; whether the bytes read
// back as the same text is the loss check's to say (loss_check.h), and the
// file is TextFileOut's.
#pragma once

#include <cstdint>

#include "textfile/byte_buffer.h"

namespace pathbook {

class TextWriter {
public:
    TextWriter() = default;
    virtual ~TextWriter() = default;
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Appends the bytes of `count` units to `out`. Every call stands alone: no
    // shift state or pending half of a character carries over to the next
    // call. False when the system's conversion failed; what was appended then
    // is not the text.
    virtual bool Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) = 0;
};

}  // namespace pathbook
