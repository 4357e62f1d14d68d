// Positions in the view: a document position with its display row and x, and
// the conversions between document positions, rows and client points. The
// caret, the mouse, drawing and scrolling all use these. Tested by
// positions_test.cpp.
#pragma once

#include <cstdint>

#include "document/doc_pos.h"
#include "view/layout.h"
#include "view/row_table.h"

namespace pathbook {

struct ViewPos {
    DocPos pos;
    RowIndex absRow = 0;     // display row over the whole document
    UnitCount rowInLine = 0;
    Pixels x = 0;            // from the start of the row, before margin and scrolling
    Pixels rememberedX = 0;  // the x that moving up and down tries to keep

    // Equality and order look at the document position only.
    friend bool operator==(const ViewPos& a, const ViewPos& b) { return a.pos == b.pos; }
    friend bool operator!=(const ViewPos& a, const ViewPos& b) { return a.pos != b.pos; }
    friend bool operator<(const ViewPos& a, const ViewPos& b) { return a.pos < b.pos; }
};

// The scroll state: the first visible row, and the pixels scrolled horizontally.
struct Viewport {
    RowIndex topRow = 0;
    Pixels left = 0;
};

// `pos` clamped to the text, with its row and x; rememberedX = x. A column at
// a wrap point is shown at the end of the upper row.
ViewPos DocToView(const Layout& layout, DocPos pos);

struct HitTest {
    ViewPos pos;
    bool insideText = false;  // false when the point lies above the first or below the last row
};
// The position at client point (x, y). A unit is taken while its right edge is
// at most 2 pixels right of the point; a continuation row always takes its
// first character. `lineMode` (dragging in the margin) gives column 0 of the
// line after the hit line, or the end of the text on or below the last line.
HitTest PointToView(const Layout& layout, Viewport viewport, std::int32_t x, std::int32_t y, bool lineMode);

// `n` rows down (negative: up), clamped to the text, keeping rememberedX.
ViewPos MoveRows(const Layout& layout, const ViewPos& from, std::int64_t n);

// x at the end of the line's last row.
Pixels LastRowX(const Layout& layout, LineIndex line);

// Client y of the top of `row` (saturated to the 32-bit range).
std::int32_t RowTop(const Layout& layout, Viewport viewport, RowIndex row);
// Client x of row x `x` (saturated to the 32-bit range).
std::int32_t ClientX(const Layout& layout, Viewport viewport, Pixels x);

}  // namespace pathbook
