// Shift_JIS double-byte pair to JIS X 0208 row/cell bytes (0x21-0x7E each for
// the standard rows), for the EUC-JP and ISO-2022-JP encoders. The IBM
// extension characters (FA40-FC4B) have no JIS X 0208 code of their own; they
// become the NEC-selected copies of the same characters in rows 89-92, or the
// standard code where the character has one.
// Tested by encoder_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook {

struct JisPair {
    std::uint8_t first;
    std::uint8_t second;
};

// Any pair is accepted; results outside 0x21-0x7E come from pairs that are not
// characters (the arithmetic is modulo 256).
JisPair ShiftJisToJis(std::uint8_t lead, std::uint8_t trail);

}  // namespace pathbook
