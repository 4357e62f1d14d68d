// The words that name the characters a save would lose, for the question the
// window asks. Tested by lost_text_test.cpp.
#pragma once

#include <vector>

#include "runtime/string.h"
#include "textfile/text_file_out.h"

namespace pathbook {

// One line per lost character, each `format` with %1 the character itself (a
// control character or a lone surrogate as U+FFFD), %2 its code point in at
// least four upper-case hex digits, %3 its line and %4 its column, both
// 1-based; lines joined by CR LF. An unknown %n stays as it is.
String DescribeLostCharacters(const String& format, const std::vector<LostCharacter>& lost);

}  // namespace pathbook
