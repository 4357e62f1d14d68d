// Picks and builds the searcher for the find options: a RegexSearcher for
// regular expressions, otherwise the plain searcher for the direction and the
// case rule. Tested by tests/unit/search/plain_searcher_test.cpp.
#pragma once

#include <cstdint>
#include <memory>

#include "search/searcher.h"

namespace pathbook::search {

struct SearchOptions {
    bool regExp = false;
    bool forward = true;
    bool ignoreCase = true;
};

// `length` units of `text`; an empty text gives a searcher that finds nothing.
std::unique_ptr<Searcher> MakeSearcher(const char16_t* text, std::int32_t length, const SearchOptions& options);

}  // namespace pathbook::search
