// The decoder for each CharsetId.
#pragma once

#include <cstdint>
#include <memory>

#include "textfile/charset.h"
#include "textfile/text_reader.h"

namespace pathbook {

// A reader over `bytes[0..size)`, which must outlive it. Positive ids other
// than 65000 (UTF-7, read here) are code pages, 1252 (Windows-1252) included;
// so is the UTF-8 family, whose leading mark is skipped. An id that names nothing
// (0, an unknown negative one) reads the ANSI code page.
std::unique_ptr<TextReader> CreateTextReader(CharsetId charset, const std::uint8_t* bytes, std::uint32_t size);

// The same reader without the fast paths (the plain runs of the code-page and
// ISO-2022 readers): what the fast paths must agree with, read for read.
std::unique_ptr<TextReader> CreateExactTextReader(CharsetId charset, const std::uint8_t* bytes, std::uint32_t size);

// False when reading `charset` needs a code page the system lacks; its reader
// would then yield no text at all.
bool CanRead(CharsetId charset);

}  // namespace pathbook
