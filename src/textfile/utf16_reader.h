// UTF-16 in either byte order. Surrogates pass through unchanged; an odd last
// byte is ignored.
#pragma once

#include "textfile/byte_order.h"
#include "textfile/text_reader.h"

namespace pathbook {

template <ByteOrder Order>
class Utf16Units {
public:
    explicit Utf16Units(ByteCursor bytes) : cursor_(bytes.cursor), end_(bytes.cursor + (bytes.Remaining() & ~1u)) {}
    char16_t Peek() const { return static_cast<char16_t>(LoadUnit16<Order>(cursor_)); }
    void Advance() { cursor_ += 2; }
    bool AtEnd() const { return cursor_ == end_; }
    const std::uint8_t* Position() const { return cursor_; }

private:
    const std::uint8_t* cursor_;
    const std::uint8_t* end_;  // invariant: (end_ - cursor_) is even
};

}  // namespace pathbook
