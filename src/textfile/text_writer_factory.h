// The encoder for each CharsetId, and the mark or header it starts a file with.
#pragma once

#include <memory>
#include <string_view>

#include "textfile/charset.h"
#include "textfile/text_writer.h"

namespace pathbook {

// The encoder of `charset`. Positive ids are code pages (1252, 65000 and 65001
// included). Null when the id names no encoding or the encoding needs a code
// page the system does not have.
std::unique_ptr<TextWriter> CreateTextWriter(CharsetId charset);

// The byte-order mark or designation header a file in `charset` starts with
// (empty for most).
std::string_view FileHeader(CharsetId charset);

}  // namespace pathbook
