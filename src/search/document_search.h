// Runs a line Searcher over a Document: forward from a position to the last
// line, or backward to line 0. Matches never span lines; there is no
// wrap-around. Tested by tests/unit/search/find_state_test.cpp.
#pragma once

#include "document/doc_pos.h"
#include "search/searcher.h"

namespace pathbook {
class Document;
}

namespace pathbook::search {

// A match in a document: [from, to) on one line.
struct DocMatch {
    DocPos from;
    DocPos to;
};

// Searches line `from.line` from column `from.column`, then each following
// line from column 0. A line past the last finds nothing.
bool SearchDocumentForward(const Document& document, Searcher& searcher, DocPos from, DocMatch* match);

// Searches line `from.line` with start `from.column` (match starts at or
// before it), then each earlier line from its end.
bool SearchDocumentBackward(const Document& document, Searcher& searcher, DocPos from, DocMatch* match);

}  // namespace pathbook::search
