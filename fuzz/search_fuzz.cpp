// Arbitrary UTF-16 patterns and lines through the pattern compiler and every
// searcher, both directions and both case modes. A match found must be one:
// the plain searchers' window holds the search text, and a regex match is the
// longest at its start. Sizes are capped so each input runs in bounded time
// (the matchers are linear in the line length).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "search/make_searcher.h"
#include "search/regex.h"

namespace {

constexpr std::size_t kMaxPatternUnits = 256;
constexpr std::size_t kMaxLineUnits = 4096;

char16_t FoldAscii(char16_t unit) { return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 0x20) : unit; }

bool HoldsText(const std::u16string& line, std::int32_t from, std::int32_t to, const std::u16string& text,
               bool ignoreCase) {
    if (static_cast<std::size_t>(to - from) != text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = line[static_cast<std::size_t>(from) + i];
        if (ignoreCase ? FoldAscii(unit) != FoldAscii(text[i]) : unit != text[i]) return false;
    }
    return true;
}

std::u16string Units(const std::uint8_t* data, std::size_t bytes) {
    std::u16string units(bytes / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pathbook::search;
    if (size < 2) return 0;
    std::size_t patternBytes = std::min<std::size_t>(data[0] * 2u, kMaxPatternUnits * 2);
    std::uint8_t flags = data[1];
    data += 2;
    size -= 2;
    patternBytes = std::min(patternBytes, size & ~std::size_t{1});
    std::u16string pattern = Units(data, patternBytes);
    std::u16string line = Units(data + patternBytes, std::min(size - patternBytes, kMaxLineUnits * 2));

    Regex regex(pattern.data(), static_cast<std::int32_t>(pattern.size()));
    if (!regex.Tree().CheckInvariants() || !regex.ForwardProgram().CheckInvariants() ||
        !regex.BackwardProgram().CheckInvariants()) {
        std::abort();
    }
    const auto length = static_cast<std::int32_t>(line.size());
    const std::int32_t starts[] = {0, length / 2, length, flags};
    for (bool regExp : {true, false}) {
        for (bool forward : {true, false}) {
            const bool ignoreCase = (flags & 1) != 0;
            SearchOptions options{regExp, forward, ignoreCase};
            auto searcher = MakeSearcher(pattern.data(), static_cast<std::int32_t>(pattern.size()), options);
            for (std::int32_t start : starts) {
                std::int32_t from = 0;
                std::int32_t to = 0;
                if (!searcher->Search(line.data(), length, start, &from, &to)) continue;
                if (!(0 <= from && from < to && to <= length)) std::abort();
                bool genuine = regExp ? regex.MatchLength(line.data() + from, length - from, !ignoreCase) == to - from
                                      : HoldsText(line, from, to, pattern, ignoreCase);
                if (!genuine) std::abort();
            }
        }
    }
    return 0;
}
