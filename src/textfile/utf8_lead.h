// How many bytes a UTF-8 sequence claims from its first byte. Bytes that cannot
// start a sequence (continuation bytes, FE, FF) count as 1, so a walk always
// moves on. Used by detection and by the UTF-8 reader to find character ends.
#pragma once

#include <cstdint>

namespace pathbook {

constexpr std::uint32_t Utf8SequenceLength(std::uint8_t lead) {
    return lead < 0xC0   ? 1
           : lead < 0xE0 ? 2
           : lead < 0xF0 ? 3
           : lead < 0xF8 ? 4
           : lead < 0xFC ? 5
           : lead < 0xFE ? 6
                         : 1;
}

}  // namespace pathbook
