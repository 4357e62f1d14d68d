#include "notebook/note_grams.h"

#include <algorithm>

#include "runtime/ascii.h"

namespace pathbook {
namespace {

// The bit of the pair (a, b): the top 12 bits of a multiplicative hash.
std::uint32_t GramBit(char16_t a, char16_t b) {
    const std::uint64_t pair = std::uint64_t{AsciiToLower(a)} << 16 | AsciiToLower(b);
    return static_cast<std::uint32_t>((pair * 0x9E3779B97F4A7C15ull) >> 52);
}

}  // namespace

NoteGrams NoteGrams::Of(std::u16string_view units) {
    Words words{};
    for (std::size_t i = 1; i < units.size(); ++i) {
        const std::uint32_t bit = GramBit(units[i - 1], units[i]);
        words[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    return NoteGrams(words);
}

GramQuery::GramQuery(std::u16string_view pattern) {
    for (std::size_t i = 1; i < pattern.size(); ++i) {
        const std::uint32_t bit = GramBit(pattern[i - 1], pattern[i]);
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        auto same = std::find_if(bits_.begin(), bits_.end(), [&](const auto& need) { return need.first == bit / 64; });
        if (same != bits_.end()) {
            same->second |= mask;
        } else {
            bits_.emplace_back(bit / 64, mask);
        }
    }
}

bool GramQuery::MayHold(const NoteGrams& grams) const {
    return std::all_of(bits_.begin(), bits_.end(), [&](const auto& need) {
        return (grams.AsWords()[need.first] & need.second) == need.second;
    });
}

}  // namespace pathbook
