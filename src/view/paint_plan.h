// What a paint draws: the margin with its line numbers, the text rows as runs
// of one font, colour and background, tab and control marks, the selection and
// "[EOF]", for one update rectangle. Tested by paint_plan_test.cpp with a
// recording canvas.
//
// Painting starts at the row that holds the top of the update rectangle, also
// inside a line of a million rows; runs are drawn only where they meet the
// rectangle, and each unit at the x where measuring puts it.
#pragma once

#include "config/doc_type.h"
#include "view/canvas.h"
#include "view/layout.h"
#include "view/view_pos.h"

namespace pathbook {

struct PaintRequest {
    PixelRect update;  // client pixels
    Viewport viewport;
    bool showEndMark = false;   // ViewFlag kShowEndMark
    bool showTabMarks = false;  // ViewFlag kShowTabMarks
    // The selection, ordered or not; none when both are equal.
    DocPos selectionFrom;
    DocPos selectionTo;
};

void PaintRegion(const Layout& layout, const PaintRequest& request, Canvas& canvas);

}  // namespace pathbook
