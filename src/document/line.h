// One line of a document: its UTF-16 text and one attribute word per unit, in a
// single heap block with this header at its front.
//
// Block layout: [Line header][text: capacity + 1 units][attributes: capacity words].
// The unit behind the last one in use is always the sentinel U+007F, so the
// tokenizer's scans stop without bounds tests. Lines never hold CR or LF.
#pragma once

#include <cstdint>

#include "document/attributes.h"
#include "document/doc_pos.h"

namespace pathbook {

constexpr char16_t kLineSentinel = 0x007F;

class Line {
public:
    // A new line holding a copy of `text` followed by `tail`, with capacity
    // max(10, length) and start state and finalized flag 0.
    static Line* Create(const char16_t* text, UnitCount length, const char16_t* tail = nullptr,
                        UnitCount tailLength = 0);
    static void Destroy(Line* line);

    // Inserts `count` units at `at` (clamped). Reallocates only when the text
    // no longer fits, to max(2 x capacity, length + count); returns the line,
    // which then lives at a new address. Attributes behind `at` are left for
    // the reclassification that follows every change.
    static Line* Insert(Line* line, Column at, const char16_t* units, UnitCount count);
    // Removes the units between `from` and `to` (clamped, from <= to).
    void Remove(Column from, Column to);
    // Drops everything from `at` on.
    void Truncate(Column at);

    UnitCount Length() const { return length_; }
    UnitCount Capacity() const { return capacity_; }
    const char16_t* Text() const { return reinterpret_cast<const char16_t*>(this + 1); }
    char16_t* Text() { return reinterpret_cast<char16_t*>(this + 1); }
    const Attribute* Attributes() const { return reinterpret_cast<const Attribute*>(Text() + capacity_ + 1); }
    Attribute* Attributes() { return reinterpret_cast<Attribute*>(Text() + capacity_ + 1); }

    std::uint8_t startState = 0;  // tokenizer state at the start of the line
    std::uint8_t endStates = 0;   // tokenizer end-state bits
    bool finalized = false;       // the comment bits match the current text

    bool CheckInvariants() const;

private:
    Line(UnitCount capacity, UnitCount length) : capacity_(capacity), length_(length) {}
    static Line* Allocate(UnitCount capacity, UnitCount length);

    UnitCount capacity_;  // invariant: >= 10 and >= length_
    UnitCount length_;    // invariant: Text()[length_] == kLineSentinel
};

}  // namespace pathbook
