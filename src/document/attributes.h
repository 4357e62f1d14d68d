// The attribute word the tokenizer stores for every UTF-16 unit of a line.
//
//   bit 0     comment: after finalisation, the unit lies in a line comment or a
//             block region; before it, the low bit of the classification state
//   bit 1     keyword, or the unit was classified inside "<"..">" or a block
//   bits 2-4  token class (TokenClass)
//   bits 5-7  run length on the first unit of a run: 1..6, or 7 for seven or
//             more; 0 on every other unit of the run
//   bit 8     part of a recognised link, from its "<" through its ">"
//   bit 9     file-name part of a file link (after the last separator)
//   bit 10    the part of a link found missing when it was last opened (the
//             view owns it; reclassifying a line clears it)
#pragma once

#include <cstdint>

namespace pathbook {

using Attribute = std::uint16_t;

constexpr Attribute kCommentBit = 0x0001;
constexpr Attribute kKeywordBit = 0x0002;
constexpr Attribute kStateBits = 0x0003;  // where the classification state is stored
constexpr int kClassShift = 2;
constexpr Attribute kClassMask = 0x001C;
constexpr int kRunLengthShift = 5;
constexpr Attribute kRunLengthMask = 0x00E0;
constexpr Attribute kLinkBit = 0x0100;
constexpr Attribute kFileNameBit = 0x0200;
constexpr Attribute kMissingBit = 0x0400;

constexpr unsigned kLongRun = 7;  // run length field meaning "seven or more"

enum TokenClass : unsigned {
    kControlClass = 0,
    kSpaceClass = 1,
    kTextClass = 2,
    kBlockEndClass = 3,      // delimiter kinds 0..4 are classes 3..7
    kBlockBeginClass = 4,
    kLineCommentClass = 5,
    kOpenAngleClass = 6,
    kCloseAngleClass = 7,
};

constexpr unsigned ClassOf(Attribute word) { return (word & kClassMask) >> kClassShift; }
constexpr unsigned RunLengthOf(Attribute word) { return (word & kRunLengthMask) >> kRunLengthShift; }
constexpr Attribute ClassBits(unsigned tokenClass) { return static_cast<Attribute>(tokenClass << kClassShift); }
constexpr Attribute RunLengthBits(std::uint32_t length) {
    return static_cast<Attribute>((length < kLongRun ? length : kLongRun) << kRunLengthShift);
}

}  // namespace pathbook
