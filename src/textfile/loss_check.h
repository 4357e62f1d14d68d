// Whether a text comes back whole when the bytes an encoder made of it are
// read again in the same encoding, the way the program reads files (the
// decoder of the CharsetId, then the break splitter). Encoding is one pass;
// the check costs less than a second one:
// - the encodings that map every character on its own (every code page,
//   UTF-8, UTF-16, UTF-32, UTF-5, EUC-JP) are checked against a table of the
//   units that come back, made once per encoding and process by encoding and
//   reading each unit after an "a" (so that a mark the reader would join to
//   the letter before it, as glibc's 1258 does, counts as lost), and one
//   surrogate pair for all of them;
// - the encodings with shift states (UTF-7, ISO-2022-JP, -KR, -CN, HZ) read
//   the bytes of each line back and compare.
// Tested by text_file_test.cpp (and the fuzz target textfile_save_fuzz).
#pragma once

#include <cstddef>
#include <cstdint>

#include "textfile/charset.h"
#include "textfile/text_writer.h"

namespace pathbook {

class SurvivorTable;

class LossCheck {
public:
    // For an encoding CreateTextWriter has an encoder for.
    explicit LossCheck(CharsetId charset);

    // Whether `units`, which the encoder of this encoding turned into
    // `bytes[0..length)`, read back as the same units.
    bool ComesBack(const char16_t* units, std::uint32_t count, const std::uint8_t* bytes, std::size_t length) const;

    // Where the first character among `units` that would not come back starts
    // (the high half of a pair), or `count` when every one comes back.
    // `writer` (an encoder of this encoding) is used for the encodings with
    // shift states, whose losses are looked for a prefix at a time.
    std::uint32_t FirstLoss(const char16_t* units, std::uint32_t count, TextWriter& writer) const;

private:
    CharsetId charset_;
    const SurvivorTable* survivors_;  // null for the encodings with shift states
};

}  // namespace pathbook
