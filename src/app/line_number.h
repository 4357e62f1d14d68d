// The line number of the jump dialog and the -l option, and the line it
// names in a document. Tested by tests/unit/app/line_number_test.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "document/doc_pos.h"

namespace pathbook {

// Decimal digits with optional blanks around them. Empty text, a sign or any
// other character gives nothing; a number too large for 32 bits gives the
// largest int32, which every document clamps to its last line.
std::optional<std::int32_t> ParseLineNumber(std::u16string_view text);

// The 0-based line of the 1-based `number` in a document of `lineCount`
// lines: below 1 means the first line, past the end the last.
LineIndex LineForNumber(std::int32_t number, LineIndex lineCount);

}  // namespace pathbook
