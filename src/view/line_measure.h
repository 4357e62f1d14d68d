// Measuring and breaking the text of one line. Every x here is counted from the
// start of the display row, so tabs reach the same stops in measuring, breaking,
// drawing and hit-testing. Tested by layout_test.cpp.
#pragma once

#include <vector>

#include "document/doc_pos.h"
#include "view/metrics.h"

namespace pathbook {

// A wrap width that no line reaches.
constexpr Pixels kNoWrapWidth = INT64_MAX;

// Width of units [from, to) of `text` when `from` starts a row.
Pixels RowWidth(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount from, UnitCount to);

// Breaks `text` into rows from offset `start` (a row start) and appends each
// row's end offset, the last being `length`. A row holds every unit that ends
// at or before `wrapWidth`, but at least one unit; a surrogate pair stays
// together unless it alone is wider than `wrapWidth`. Nothing is appended
// when start >= length.
void BreakRows(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount start, Pixels wrapWidth,
               std::vector<UnitCount>& ends);

// BreakRows from offset 0 and the line's unwrapped width in one pass: returns
// the width; `ends` receives the row ends (nothing for an empty line).
Pixels MeasureAndBreak(const Metrics& metrics, const char16_t* text, UnitCount length, Pixels wrapWidth,
                       std::vector<UnitCount>& ends);

}  // namespace pathbook
