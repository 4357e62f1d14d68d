// ISO-8859-1: every byte is the unit of the same value (0x80-0x9F included).
#pragma once

#include "textfile/text_reader.h"

namespace pathbook {

class Latin1Units {
public:
    explicit Latin1Units(ByteCursor bytes) : bytes_(bytes) {}
    char16_t Peek() const { return *bytes_.cursor; }
    void Advance() { ++bytes_.cursor; }
    bool AtEnd() const { return bytes_.cursor == bytes_.end; }
    const std::uint8_t* Position() const { return bytes_.cursor; }

private:
    ByteCursor bytes_;
};

}  // namespace pathbook
