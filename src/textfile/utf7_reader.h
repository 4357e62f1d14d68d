// UTF-7: direct characters, "+-" for "+", and base64 runs opened by "+".
// A run is decoded in groups of eight base64 characters (48 bits, exactly
// three units), so no bits are carried from one group to the next; a shorter
// final group yields one unit for 1-5 characters and two for 6 or 7. The run
// ends at the first byte that is not base64 (a "-" there is consumed).
// Tested by decoder_test.cpp.
#pragma once

#include "textfile/text_reader.h"

namespace pathbook {

class Utf7Units {
public:
    explicit Utf7Units(ByteCursor bytes) : bytes_(bytes) { Refill(); }

    char16_t Peek() const { return due_[next_]; }
    void Advance() {
        ++next_;
        if (next_ == count_) Refill();
    }
    bool AtEnd() const { return next_ == count_; }
    // The units due were decoded from bytes before the cursor.
    const std::uint8_t* Position() const { return bytes_.cursor; }

private:
    // Decodes until at least one unit is due or the bytes run out.
    void Refill();
    void DecodeDirect();
    void DecodeGroup();

    ByteCursor bytes_;
    char16_t due_[3] = {};
    std::uint32_t count_ = 0;  // units decoded into due_; invariant: next_ <= count_ <= 3
    std::uint32_t next_ = 0;   // the next of them to hand out
    bool inBase64_ = false;
};

}  // namespace pathbook
