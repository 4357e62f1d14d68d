// Shared helpers for the search tests: run a searcher on one line and write
// the outcome as "start-end" or "none".
#pragma once

#include <cstdint>
#include <string>

#include "search/searcher.h"

namespace pathbook::search::test {

inline std::string Outcome(Searcher& searcher, const std::u16string& line, std::int32_t start) {
    std::int32_t from = -1;
    std::int32_t to = -1;
    if (!searcher.Search(line.data(), static_cast<std::int32_t>(line.size()), start, &from, &to)) return "none";
    return std::to_string(from) + "-" + std::to_string(to);
}

}  // namespace pathbook::search::test
