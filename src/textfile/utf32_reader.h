// UTF-32 in either byte order; a trailing partial unit is ignored. A value
// above 0xFFFF yields a surrogate pair, one unit per Peek/Advance. A value
// above U+10FFFF names no character and yields U+FFFD. Replaced tells of
// either.
#pragma once

#include "runtime/byte_order.h"
#include "textfile/text_reader.h"

namespace pathbook {

template <ByteOrder Order>
class Utf32Units {
public:
    explicit Utf32Units(ByteCursor bytes)
        : cursor_(bytes.cursor), end_(bytes.cursor + (bytes.Remaining() & ~3u)), replaced_((bytes.Remaining() & 3u) != 0) {}

    char16_t Peek() const {
        std::uint32_t value = LoadUnit32<Order>(cursor_);
        if (value < 0x10000) return static_cast<char16_t>(value);
        if (value > 0x10FFFF) return kReplacementCharacter;
        value -= 0x10000;
        return static_cast<char16_t>(lowHalfDue_ ? 0xDC00 + (value & 0x3FF) : 0xD800 + (value >> 10));
    }
    void Advance() {
        std::uint32_t value = LoadUnit32<Order>(cursor_);
        if (value >= 0x10000 && value <= 0x10FFFF && !lowHalfDue_) {
            lowHalfDue_ = true;
            return;
        }
        lowHalfDue_ = false;
        replaced_ = replaced_ || value > 0x10FFFF;
        cursor_ += 4;
    }
    bool AtEnd() const { return cursor_ == end_; }
    const std::uint8_t* Position() const { return cursor_; }
    bool Replaced() const { return replaced_; }

private:
    const std::uint8_t* cursor_;
    const std::uint8_t* end_;  // invariant: (end_ - cursor_) is a multiple of 4
    bool lowHalfDue_ = false;  // the high surrogate of the value at cursor_ was consumed
    bool replaced_;            // a partial unit at the end, or a value above U+10FFFF
};

}  // namespace pathbook
