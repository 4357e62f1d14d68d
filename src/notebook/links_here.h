// Links Here: the links of a notebook's notes that lead to a given note, with
// the line each stands on, so that choosing one can open that note with the
// caret on the link. A note that links to itself is among them. Cost: one
// comparison per file link of the notebook.
// Tested by tests/unit/notebook/notebook_index_test.cpp.
#pragma once

#include <string_view>
#include <vector>

#include "notebook/notebook_index.h"

namespace pathbook {

struct Backlink {
    NotePointer note;  // the note the link is in
    LineIndex line = 0;
    Column open = 0;   // the link's "<"
    Column close = 0;  // its ">"

    // The linking line's text; empty when the index keeps no text.
    std::u16string_view LineText() const { return note->text.Line(line); }
};

// The links in `index` that lead to `path` (a full path; the note need not
// exist), ordered by note (RelativePathLess), line and column.
std::vector<Backlink> LinksHere(const NotebookIndex& index, std::u16string_view path);

}  // namespace pathbook
