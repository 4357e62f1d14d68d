// An encoder: turns UTF-16 text into the bytes of one encoding and hands them
// to the file writer. Line breaks arrive as text like any other (CR, LF or
// CR LF units), so every encoding writes them its own way.
#pragma once

#include <cstdint>

#include "textfile/file_writer.h"

namespace pathbook {

class TextWriter {
public:
    explicit TextWriter(FileWriter& file) : file_(file) {}
    virtual ~TextWriter() = default;
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Encodes `count` units. Every call stands alone: no shift state or
    // pending half of a character carries over to the next call.
    virtual void Write(const char16_t* units, std::uint32_t count) = 0;

protected:
    FileWriter& file_;
};

}  // namespace pathbook
