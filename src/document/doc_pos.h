// Positions and sizes in a document's text, all counted in UTF-16 units.
#pragma once

#include <cstdint>

namespace pathbook {

using LineIndex = std::uint32_t;  // 0-based line number
using Column = std::uint32_t;     // unit index within a line; the line length means "after the last unit"
using UnitCount = std::uint32_t;  // units within one line
using TextSize = std::uint64_t;   // units of a text that may span many lines

// Passed as a column or line, means "the end" (positions are clamped).
constexpr std::uint32_t kEndOfText = 0xFFFFFFFF;

// Build positions with At(line, column): both fields are 32-bit, so a brace
// list in the wrong order would compile silently.
struct DocPos {
    Column column = 0;
    LineIndex line = 0;

    static constexpr DocPos At(LineIndex line, Column column) {
        DocPos pos;
        pos.line = line;
        pos.column = column;
        return pos;
    }

    friend bool operator==(DocPos a, DocPos b) { return a.line == b.line && a.column == b.column; }
    friend bool operator!=(DocPos a, DocPos b) { return !(a == b); }
    // Line-major order.
    friend bool operator<(DocPos a, DocPos b) {
        return a.line < b.line || (a.line == b.line && a.column < b.column);
    }
    friend bool operator>(DocPos a, DocPos b) { return b < a; }
    friend bool operator<=(DocPos a, DocPos b) { return !(b < a); }
    friend bool operator>=(DocPos a, DocPos b) { return !(a < b); }
};

}  // namespace pathbook
