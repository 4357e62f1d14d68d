// The tokenizer's class of every ASCII unit below U+007F. U+007F and every unit
// above it take the non-ASCII path and never consult the table.
#pragma once

#include <cstdint>

#include "document/attributes.h"
#include "document/line.h"

namespace pathbook {

// Only in this table: becomes one-unit text runs or delimiters.
constexpr unsigned kSymbolClass = 3;

constexpr unsigned AsciiClass(unsigned unit) {
    if (unit < 0x20) return kControlClass;
    if (unit == 0x20) return kSpaceClass;
    if ((unit >= '0' && unit <= '9') || (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z') || unit == '_') {
        return kTextClass;
    }
    return kSymbolClass;
}

struct CharClassTable {
    std::uint8_t entries[128];
    constexpr CharClassTable() : entries() {
        for (unsigned unit = 0; unit < 128; ++unit) entries[unit] = static_cast<std::uint8_t>(AsciiClass(unit));
    }
};
constexpr CharClassTable kCharClasses;

constexpr bool IsAsciiOfClass(char16_t unit, unsigned tokenClass) {
    return unit < kLineSentinel && kCharClasses.entries[unit] == tokenClass;
}

}  // namespace pathbook
