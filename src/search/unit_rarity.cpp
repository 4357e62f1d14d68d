// Tested by tests/unit/search/required_units_test.cpp.
#include "search/unit_rarity.h"

#include <cstdlib>

namespace pathbook::search {
namespace {

// ASCII: English letter frequencies, capitals a tenth of their small letters,
// digits and punctuation as they come in notes; control units other than TAB never.
constexpr std::uint8_t kAsciiCommonness[128] = {
      0,   0,   0,   0,   0,   0,   0,   0,   0,   3,   0,   0,   0,   0,   0,   0,  // 00
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  // 10
    170,   1,   3,   1,   1,   1,   1,   3,   3,   3,   1,   1,   9,   3,   9,   3,  // 20
      4,   4,   4,   4,   4,   4,   4,   4,   4,   4,   3,   1,   1,   1,   1,   1,  // 30
      1,   6,   1,   2,   3,   9,   1,   1,   4,   5,   1,   1,   3,   1,   5,   5,  // 40
      1,   1,   4,   5,   6,   2,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,  // 50
      1,  62,  11,  21,  32,  95,  17,  15,  46,  54,   1,   6,  31,  19,  54,  58,  // 60
     14,   1,  46,  50,  68,  21,   8,  18,   1,  15,   1,   1,   1,   1,   1,   1,  // 70
};

struct BlockCommonness {
    char16_t low;
    char16_t high;
    std::int32_t commonness;
};

// Japanese: the particles and endings make hiragana far more common than any
// one ideograph.
constexpr BlockCommonness kBlocks[] = {
    {0x3000, 0x303F, 10},  // ideographic space and punctuation
    {0x3040, 0x309F, 25},  // hiragana
    {0x30A0, 0x30FF, 8},   // katakana
    {0x4E00, 0x9FFF, 3},   // ideographs
};
constexpr std::int32_t kOtherCommonness = 2;

}  // namespace

std::int32_t UnitCommonness(char16_t unit) {
    if (unit < 0x80) return kAsciiCommonness[unit];
    for (const BlockCommonness& block : kBlocks) {
        if (unit >= block.low && unit <= block.high) return block.commonness;
    }
    return kOtherCommonness;
}

std::int32_t ProbeCommonness(UnitProbe probe) {
    std::int32_t commonness = UnitCommonness(probe.a);
    return probe.b == probe.a ? commonness : commonness + UnitCommonness(probe.b);
}

ProbePair RarestPair(const std::vector<UnitProbe>& units) {
    auto commonness = [&units](std::size_t i) { return ProbeCommonness(units[i]); };
    auto distance = [](std::size_t i, std::size_t j) { return std::labs(static_cast<long>(i) - static_cast<long>(j)); };
    std::size_t best = 0;
    for (std::size_t i = 1; i < units.size(); ++i) {
        if (commonness(i) < commonness(best)) best = i;
    }
    // Among equally rare units the one farthest away tells most about the window.
    std::size_t other = best;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i == best) continue;
        bool first = other == best;
        bool rarer = !first && commonness(i) < commonness(other);
        bool fartherTie = !first && commonness(i) == commonness(other) && distance(i, best) > distance(other, best);
        if (first || rarer || fartherTie) other = i;
    }
    return {{units[best], static_cast<std::int32_t>(best)}, {units[other], static_cast<std::int32_t>(other)}};
}

}  // namespace pathbook::search
