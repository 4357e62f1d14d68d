// Tested by tests/unit/search/find_state_test.cpp.
#include "search/document_search.h"

#include <algorithm>
#include <limits>

#include "document/document.h"

namespace pathbook::search {
namespace {

constexpr std::uint32_t kMaxSearchUnits = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());

std::int32_t ToSearchUnits(std::uint32_t units) { return static_cast<std::int32_t>(std::min(units, kMaxSearchUnits)); }

bool SearchLine(const Document& document, Searcher& searcher, LineIndex line, Column start, DocMatch* match) {
    std::int32_t matchStart = 0;
    std::int32_t matchEnd = 0;
    if (!searcher.Search(document.LineText(line), ToSearchUnits(document.LineLength(line)), ToSearchUnits(start),
                         &matchStart, &matchEnd)) {
        return false;
    }
    match->from = {static_cast<Column>(matchStart), line};
    match->to = {static_cast<Column>(matchEnd), line};
    return true;
}

// Lines live in separate heap blocks; asking for the next one early hides most
// of the cache miss behind the search of the current one.
void PrefetchLine(const Document& document, LineIndex line) {
#if defined(__GNUC__)
    if (line < document.LineCount()) __builtin_prefetch(document.LineText(line));
#else
    static_cast<void>(document);
    static_cast<void>(line);
#endif
}

}  // namespace

bool SearchDocumentForward(const Document& document, Searcher& searcher, DocPos from, DocMatch* match) {
    if (from.line >= document.LineCount()) return false;
    for (LineIndex line = from.line; line < document.LineCount(); ++line) {
        PrefetchLine(document, line + 2);
        if (SearchLine(document, searcher, line, line == from.line ? from.column : 0, match)) return true;
    }
    return false;
}

bool SearchDocumentBackward(const Document& document, Searcher& searcher, DocPos from, DocMatch* match) {
    LineIndex line = std::min(from.line, document.LineCount() - 1);
    Column start = from.line < document.LineCount() ? from.column : document.LineLength(line);
    for (;;) {
        if (SearchLine(document, searcher, line, start, match)) return true;
        if (line == 0) return false;
        --line;
        start = document.LineLength(line);
    }
}

}  // namespace pathbook::search
