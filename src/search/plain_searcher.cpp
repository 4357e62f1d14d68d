// Tested by tests/unit/search/plain_searcher_test.cpp.
#include "search/plain_searcher.h"

#include <algorithm>

namespace pathbook::search {
namespace {

constexpr std::size_t kTableSize = 65536;

template <CaseRule kRule>
inline char16_t Fold(char16_t unit) {
    if (kRule == CaseRule::FoldAscii && unit >= u'a' && unit <= u'z') return static_cast<char16_t>(unit - 0x20);
    return unit;
}

template <CaseRule kRule>
std::vector<char16_t> FoldedCopy(const char16_t* needle, std::int32_t length) {
    std::vector<char16_t> copy(needle, needle + std::max(length, 0));
    for (char16_t& unit : copy) unit = Fold<kRule>(unit);
    return copy;
}

}  // namespace

template <CaseRule kRule>
ForwardPlainSearcher<kRule>::ForwardPlainSearcher(const char16_t* needle, std::int32_t length)
    : needle_(FoldedCopy<kRule>(needle, length)), skip_(kTableSize, -1) {
    for (std::size_t i = 0; i < needle_.size(); ++i) skip_[needle_[i]] = static_cast<std::int32_t>(i);
}

template <CaseRule kRule>
bool ForwardPlainSearcher<kRule>::Search(const char16_t* text, std::int32_t length, std::int32_t start,
                                         std::int32_t* outStart, std::int32_t* outEnd) {
    const auto m = static_cast<std::int32_t>(needle_.size());
    if (m == 0) return false;
    const char16_t* needle = needle_.data();
    const std::int32_t* skip = skip_.data();
    for (std::int32_t w = std::max(start, 0); w <= length - m;) {
        std::int32_t i = m - 1;
        char16_t unit = Fold<kRule>(text[w + i]);
        while (unit == needle[i]) {
            if (i == 0) {
                *outStart = w;
                *outEnd = w + m;
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
BackwardPlainSearcher<kRule>::BackwardPlainSearcher(const char16_t* needle, std::int32_t length)
    : needle_(FoldedCopy<kRule>(needle, length)), skip_(kTableSize, -1) {
    for (std::size_t i = needle_.size(); i-- > 0;) skip_[needle_[i]] = static_cast<std::int32_t>(i);
}

template <CaseRule kRule>
bool BackwardPlainSearcher<kRule>::Search(const char16_t* text, std::int32_t length, std::int32_t start,
                                          std::int32_t* outStart, std::int32_t* outEnd) {
    const auto m = static_cast<std::int32_t>(needle_.size());
    if (m == 0) return false;
    const char16_t* needle = needle_.data();
    const std::int32_t* skip = skip_.data();
    for (std::int32_t w = std::min(start, length - m); w >= 0;) {
        std::int32_t i = 0;
        char16_t unit = Fold<kRule>(text[w]);
        while (unit == needle[i]) {
            if (i == m - 1) {
                *outStart = w;
                *outEnd = w + m;
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

template class ForwardPlainSearcher<CaseRule::Exact>;
template class ForwardPlainSearcher<CaseRule::FoldAscii>;
template class BackwardPlainSearcher<CaseRule::Exact>;
template class BackwardPlainSearcher<CaseRule::FoldAscii>;

}  // namespace pathbook::search
