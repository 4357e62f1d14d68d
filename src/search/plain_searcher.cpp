// Tested by tests/unit/search/plain_searcher_test.cpp.
#include "search/plain_searcher.h"

#include <algorithm>

#include "runtime/ascii.h"

namespace pathbook::search {
namespace {

constexpr std::size_t kTableSize = 65536;

// Spans with fewer windows go to Boyer-Moore: the scan's vector steps would
// barely start before such a span ends.
constexpr std::int32_t kMinScanWindows = 16;

template <CaseRule kRule>
inline char16_t Fold(char16_t unit) {
    return kRule == CaseRule::FoldAscii ? AsciiToUpper(unit) : unit;
}

template <CaseRule kRule>
std::vector<char16_t> FoldedCopy(const char16_t* needle, std::int32_t length) {
    std::vector<char16_t> copy(needle, needle + std::max(length, 0));
    for (char16_t& unit : copy) unit = Fold<kRule>(unit);
    return copy;
}

template <CaseRule kRule>
bool MatchesAt(const std::vector<char16_t>& needle, const char16_t* window) {
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (Fold<kRule>(window[i]) != needle[i]) return false;
    }
    return true;
}

template <CaseRule kRule>
ProbePair NeedleProbes(const std::vector<char16_t>& needle) {
    if (needle.empty()) return {};
    std::vector<UnitProbe> units;
    for (char16_t unit : needle) units.push_back(ProbeFor(unit, kRule == CaseRule::FoldAscii));
    return RarestPair(units);
}

}  // namespace

template <CaseRule kRule>
ForwardPlainSearcher<kRule>::ForwardPlainSearcher(const char16_t* needle, std::int32_t length)
    : needle_(FoldedCopy<kRule>(needle, length)), skip_(kTableSize, -1), probes_(NeedleProbes<kRule>(needle_)) {
    for (std::size_t i = 0; i < needle_.size(); ++i) skip_[needle_[i]] = static_cast<std::int32_t>(i);
}

template <CaseRule kRule>
bool ForwardPlainSearcher<kRule>::Search(const char16_t* text, std::int32_t length, std::int32_t start,
                                         std::int32_t* outStart, std::int32_t* outEnd) {
    const auto m = static_cast<std::int32_t>(needle_.size());
    const std::int32_t first = std::max(start, 0);
    const std::int32_t last = length - m;  // the last window start
    if (m == 0 || first > last) return false;
    std::int32_t found = 0;
    bool hit = last - first + 1 >= kMinScanWindows ? ScanCandidates(text, first, last, &found)
                                                    : BoyerMoore(text, first, last, &found);
    if (!hit) return false;
    *outStart = found;
    *outEnd = found + m;
    return true;
}

template <CaseRule kRule>
bool ForwardPlainSearcher<kRule>::BoyerMoore(const char16_t* text, std::int32_t first, std::int32_t last,
                                             std::int32_t* found) const {
    const auto m = static_cast<std::int32_t>(needle_.size());
    const char16_t* needle = needle_.data();
    const std::int32_t* skip = skip_.data();
    for (std::int32_t w = first; w <= last;) {
        std::int32_t i = m - 1;
        char16_t unit = Fold<kRule>(text[w + i]);
        while (unit == needle[i]) {
            if (i == 0) {
                *found = w;
                return true;
            }
            --i;
            unit = Fold<kRule>(text[w + i]);
        }
        std::int32_t k = skip[unit];
        w += k < i ? i - k : 1;
    }
    return false;
}

template <CaseRule kRule>
bool ForwardPlainSearcher<kRule>::ScanCandidates(const char16_t* text, std::int32_t first, std::int32_t last,
                                                 std::int32_t* found) const {
    for (std::int32_t w = first; w <= last; ++w) {
        w = FindWindowForward(text, w, last, probes_.rarest, probes_.second);
        if (w < 0) return false;
        if (MatchesAt<kRule>(needle_, text + w)) {
            *found = w;
            return true;
        }
    }
    return false;
}

template <CaseRule kRule>
BackwardPlainSearcher<kRule>::BackwardPlainSearcher(const char16_t* needle, std::int32_t length)
    : needle_(FoldedCopy<kRule>(needle, length)), skip_(kTableSize, -1), probes_(NeedleProbes<kRule>(needle_)) {
    for (std::size_t i = needle_.size(); i-- > 0;) skip_[needle_[i]] = static_cast<std::int32_t>(i);
}

template <CaseRule kRule>
bool BackwardPlainSearcher<kRule>::Search(const char16_t* text, std::int32_t length, std::int32_t start,
                                          std::int32_t* outStart, std::int32_t* outEnd) {
    const auto m = static_cast<std::int32_t>(needle_.size());
    const std::int32_t last = std::min(start, length - m);  // the first window start to try
    if (m == 0 || last < 0) return false;
    std::int32_t found = 0;
    bool hit = last + 1 >= kMinScanWindows ? ScanCandidates(text, last, &found) : BoyerMoore(text, last, &found);
    if (!hit) return false;
    *outStart = found;
    *outEnd = found + m;
    return true;
}

template <CaseRule kRule>
bool BackwardPlainSearcher<kRule>::BoyerMoore(const char16_t* text, std::int32_t last, std::int32_t* found) const {
    const auto m = static_cast<std::int32_t>(needle_.size());
    const char16_t* needle = needle_.data();
    const std::int32_t* skip = skip_.data();
    for (std::int32_t w = last; w >= 0;) {
        std::int32_t i = 0;
        char16_t unit = Fold<kRule>(text[w]);
        while (unit == needle[i]) {
            if (i == m - 1) {
                *found = w;
                return true;
            }
            ++i;
            unit = Fold<kRule>(text[w + i]);
        }
        std::int32_t k = skip[unit];
        if (k < 0) k = m;
        w -= i < k ? k - i : 1;
    }
    return false;
}

template <CaseRule kRule>
bool BackwardPlainSearcher<kRule>::ScanCandidates(const char16_t* text, std::int32_t last,
                                                  std::int32_t* found) const {
    for (std::int32_t w = last; w >= 0; --w) {
        w = FindWindowBackward(text, 0, w, probes_.rarest, probes_.second);
        if (w < 0) return false;
        if (MatchesAt<kRule>(needle_, text + w)) {
            *found = w;
            return true;
        }
    }
    return false;
}

template class ForwardPlainSearcher<CaseRule::Exact>;
template class ForwardPlainSearcher<CaseRule::FoldAscii>;
template class BackwardPlainSearcher<CaseRule::Exact>;
template class BackwardPlainSearcher<CaseRule::FoldAscii>;

}  // namespace pathbook::search
