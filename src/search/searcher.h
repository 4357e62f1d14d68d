// A line searcher: finds one match within one line of text. The find commands
// walk the lines of a document and ask a Searcher about each.
#pragma once

#include <cstdint>

namespace pathbook::search {

class Searcher {
public:
    virtual ~Searcher() = default;

    // Looks for a match among the `length` units of one line. A forward
    // searcher tries match starts from `start` towards the line end, a backward
    // searcher from `start` towards column 0; `start` beyond the line is
    // clamped. On success the match is the half-open range [*outStart, *outEnd),
    // never empty.
    virtual bool Search(const char16_t* text, std::int32_t length, std::int32_t start, std::int32_t* outStart,
                        std::int32_t* outEnd) = 0;
};

}  // namespace pathbook::search
