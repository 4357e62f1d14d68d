// The keyword definition text that configures a tokenizer, one item per line:
//   1     switches: "1" at position 1 compares keywords case-sensitively, at 2
//         makes "<" a delimiter, at 3 ">", at 4 lets "\" escape in symbol runs
//   2     block-begin delimiter (empty: none)
//   3     block-end delimiter
//   4     line-comment delimiter
//   5...  one keyword per line, spaces included; empty lines are skipped
// A leading U+FEFF is skipped; missing lines count as empty.
#pragma once

#include <memory>
#include <string_view>

#include "document/tokenizer.h"

namespace pathbook {

std::unique_ptr<Tokenizer> ParseKeywordDefinition(std::u16string_view text);

// The keyword definition every document gets: no keywords, "[" "]" block
// comments and "#" line comments.
inline constexpr char16_t kDefaultKeywordText[] = u"0110\n[\n]\n#\n";

}  // namespace pathbook
