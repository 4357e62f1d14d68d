// The plain (non-regex) searchers: Boyer-Moore with a bad-unit table that
// covers all 65536 UTF-16 units, so one lookup serves any unit. Forward
// searchers compare from the end of the search text and record, per unit,
// its last index in it; backward searchers compare from the front and record
// the first index. The folding variants compare and index units with "a".."z"
// mapped onto "A".."Z"; no other unit folds.
//
// Boyer-Moore reads about one unit in every few, and each read depends on the
// one before. On spans of a line long enough for vector scans the searchers
// instead scan for the window starts where the two rarest units of the search
// text sit in place (unit_scan.h), eight windows per step, and compare only
// those windows in full. Both find the first window in the search direction
// that holds the text, so they find the same match.
// Tested by tests/unit/search/plain_searcher_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "search/searcher.h"
#include "search/unit_rarity.h"

namespace pathbook::search {

enum class CaseRule : std::uint8_t { Exact, FoldAscii };

template <CaseRule kRule>
class ForwardPlainSearcher : public Searcher {
public:
    // Copies `length` units of `needle`.
    ForwardPlainSearcher(const char16_t* needle, std::int32_t length);
    // Window starts from `start` while the whole needle fits.
    bool Search(const char16_t* text, std::int32_t length, std::int32_t start, std::int32_t* outStart,
                std::int32_t* outEnd) override;

private:
    bool BoyerMoore(const char16_t* text, std::int32_t first, std::int32_t last, std::int32_t* found) const;
    bool ScanCandidates(const char16_t* text, std::int32_t first, std::int32_t last, std::int32_t* found) const;

    std::vector<char16_t> needle_;  // folded for FoldAscii
    std::vector<std::int32_t> skip_;  // 65536 entries: last index of the unit in needle_, or -1
    ProbePair probes_;  // the two units the scans look for
};

template <CaseRule kRule>
class BackwardPlainSearcher : public Searcher {
public:
    BackwardPlainSearcher(const char16_t* needle, std::int32_t length);
    // Window starts from min(start, length - m) down to 0.
    bool Search(const char16_t* text, std::int32_t length, std::int32_t start, std::int32_t* outStart,
                std::int32_t* outEnd) override;

private:
    bool BoyerMoore(const char16_t* text, std::int32_t last, std::int32_t* found) const;
    bool ScanCandidates(const char16_t* text, std::int32_t last, std::int32_t* found) const;

    std::vector<char16_t> needle_;
    std::vector<std::int32_t> skip_;  // 65536 entries: first index of the unit in needle_, or -1
    ProbePair probes_;  // the two units the scans look for
};

using ForwardExactSearcher = ForwardPlainSearcher<CaseRule::Exact>;
using ForwardFoldingSearcher = ForwardPlainSearcher<CaseRule::FoldAscii>;
using BackwardExactSearcher = BackwardPlainSearcher<CaseRule::Exact>;
using BackwardFoldingSearcher = BackwardPlainSearcher<CaseRule::FoldAscii>;

}  // namespace pathbook::search
