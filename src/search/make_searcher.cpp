// Tested by tests/unit/search/plain_searcher_test.cpp.
#include "search/make_searcher.h"

#include "search/plain_searcher.h"
#include "search/regex_searcher.h"

namespace pathbook::search {

std::unique_ptr<Searcher> MakeSearcher(const char16_t* text, std::int32_t length, const SearchOptions& options) {
    if (options.regExp) return std::make_unique<RegexSearcher>(text, length, !options.ignoreCase, options.forward);
    if (options.forward) {
        if (options.ignoreCase) return std::make_unique<ForwardFoldingSearcher>(text, length);
        return std::make_unique<ForwardExactSearcher>(text, length);
    }
    if (options.ignoreCase) return std::make_unique<BackwardFoldingSearcher>(text, length);
    return std::make_unique<BackwardExactSearcher>(text, length);
}

}  // namespace pathbook::search
