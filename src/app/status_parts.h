// The status bar's three parts: link status, encoding short code, line-end
// style. Tested by main_window_rules_test.cpp.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/string.h"
#include "textfile/encoding_list.h"

namespace pathbook {

// Right edges of parts 0, 1 and 2. `barWidth` is the bar's window width, less
// 15 pixels for the sizing grip unless the main window is maximised; part 2
// ends 5 pixels before that and is `lineEndWidth` wide ("BBBBM" in the bar's
// font), part 1 before it is `codeWidth` wide ("BBBBB"). The 15 and 5 pixels
// are those of 96 DPI, scaled to the window's `dpi`.
std::array<std::int32_t, 3> StatusPartEdges(std::int32_t barWidth, bool maximized, std::int32_t codeWidth,
                                            std::int32_t lineEndWidth, std::int32_t dpi);

// The short code of row `row` of the table; empty for a row the table does not
// have (an encoding the system lacks gives row -1).
String EncodingShortCode(const EncodingList& encodings, std::int32_t row);

// "CR", "LF" or "CRLF"; empty for any other value.
String LineEndName(std::int32_t lineBreak);

}  // namespace pathbook
