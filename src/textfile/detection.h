// Deciding a file's encoding and line-end style from its first bytes.
// Tested by detection_test.cpp.
#pragma once

#include <cstdint>

#include "textfile/charset.h"

namespace pathbook {

// Only this many bytes at the start of a file are examined.
constexpr std::uint32_t kDetectionWindow = 0x4000;

struct Detection {
    CharsetId charset = charset::kAutoDetect;
    LineEnd lineEnd = LineEnd::kCrLf;
    bool noLineBreaks = true;  // the examined bytes hold neither CR nor LF
};

// Examines `bytes[0..count)` (the caller passes at most kDetectionWindow bytes).
// `requested` is 0 for automatic detection; a Unicode family member only has its
// byte-order-mark variant decided; any other choice is kept if the system can
// read it, and detected as for 0 if not. Never fails: the last resort is the
// ANSI code page.
Detection DetectEncoding(const std::uint8_t* bytes, std::uint32_t count, CharsetId requested);

}  // namespace pathbook
