// Which parts of the window to repaint after an edit or a caret move. Client
// pixels, clipped to the client area; an empty list means nothing to repaint.
// Tested by edit_view_core_test.cpp.
#pragma once

#include <vector>

#include "view/canvas.h"
#include "view/layout.h"
#include "view/scrolling.h"
#include "view/view_pos.h"

namespace pathbook {

// After an edit of `line` (its index after the edit) followed by the layout
// and FollowEdit: kMargin repaints the number strip, kLine the line's rows,
// kBelow everything from the line's first row down (margin included),
// kEverything the whole client. The strip is added when the line count changed.
std::vector<PixelRect> EditInvalidation(const Layout& layout, Viewport viewport, RepaintMode mode, LineIndex line,
                                        bool lineCountChanged);

// After the caret moved from `a` to `b` (or a selection between them went
// away): the rows between the two, from the earlier x to the later x + 2.
std::vector<PixelRect> CaretInvalidation(const Layout& layout, Viewport viewport, const ViewPos& a, const ViewPos& b);

}  // namespace pathbook
