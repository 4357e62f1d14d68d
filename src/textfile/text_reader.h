// A decoder: turns the mapped bytes of a file into UTF-16 text, one line at a
// time. Readers walk the bytes in place (the mapping must outlive them), never
// look at a byte outside [begin, end), and never fail: malformed input yields
// whatever units the decoding rules give for it.
#pragma once

#include <cstdint>

#include "runtime/utf8.h"
#include "textfile/text_source.h"

namespace pathbook {

class TextReader : public TextSource {
public:
    ReadState State() const override { return state_; }
    // The first byte the reader may still look at; it never reads before it again.
    virtual const std::uint8_t* Position() const = 0;
    // Whether some of the bytes read so far were no character of the encoding:
    // replaced by U+FFFD or the code page's default character, or dropped (a
    // unit cut off by the end of the file).
    virtual bool ReplacedBytes() const { return replacedBytes_; }
    // False when the units of the last Read hold no CR or LF for certain, so
    // that nobody need look for decoded breaks in them.
    virtual bool LastReadMayHoldBreaks() const { return true; }

protected:
    ReadState state_ = ReadState::kAtLineBreak;
    bool replacedBytes_ = false;
};

// The bytes a reader may consume. Invariant: cursor <= end.
struct ByteCursor {
    const std::uint8_t* cursor;
    const std::uint8_t* end;

    std::uint32_t Remaining() const { return static_cast<std::uint32_t>(end - cursor); }
};

constexpr char16_t kCarriageReturn = 0x0D;
constexpr char16_t kLineFeed = 0x0A;
constexpr char16_t kByteOrderMark = 0xFEFF;

}  // namespace pathbook
