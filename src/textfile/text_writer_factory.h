// The encoder for each CharsetId, and the mark or header it starts a file with.
#pragma once

#include <memory>

#include "textfile/charset.h"
#include "textfile/text_writer.h"

namespace pathbook {

// Writes the byte-order mark or designation header of `charset` to `file` and
// returns the encoder. Positive ids other than 1252 (ISO-8859-1, handled
// here) are code pages, 65000 and 65001 included. Null when the encoding
// needs a code page the system does not have: nothing is written then.
std::unique_ptr<TextWriter> CreateTextWriter(CharsetId charset, FileWriter& file);

}  // namespace pathbook
