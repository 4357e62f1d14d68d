// One line of a document: its UTF-16 text and one attribute word per unit, in a
// single block with this header at its front: a heap block of its own, or one
// carved from a LineArena by a load.
//
// Block layout: [Line header][text: capacity + 1 units][attributes: capacity words].
// The unit behind the last one in use is always the sentinel U+007F, so the
// tokenizer's scans stop without bounds tests. Lines never hold CR or LF.
#pragma once

#include <cstdint>

#include "document/attributes.h"
#include "document/doc_pos.h"
#include "document/line_arena.h"

namespace pathbook {

constexpr char16_t kLineSentinel = 0x007F;

// How many lines ahead a walk over a document's lines (saving, destroying)
// asks for: each line is a block of its own, so each would otherwise wait for
// memory in turn.
constexpr std::uint32_t kLinePrefetchDistance = 32;

class Line {
public:
    // A new line holding a copy of `text` followed by `tail`, with capacity
    // max(10, length), not finalized.
    static Line* Create(const char16_t* text, UnitCount length, const char16_t* tail = nullptr,
                        UnitCount tailLength = 0);
    // The same line carved from `arena`, or in a heap block of its own when
    // it is too large to share a chunk.
    static Line* CreateIn(LineArena& arena, const char16_t* text, UnitCount length);
    static void Destroy(Line* line);
    // `length` as a line length; a length that 32-bit columns cannot address
    // ends the process, like running out of memory.
    static UnitCount CheckedLength(std::uint64_t length);

    // Inserts `count` units at `at` (clamped). Reallocates only when the text
    // no longer fits, to max(2 x capacity, length + count); returns the line,
    // which then lives at a new address (always a heap block of its own).
    // Attributes behind `at` are left for
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

    // Whether the comment bits match the current text.
    bool Finalized() const { return finalized_ != 0; }
    void SetFinalized(bool finalized) { finalized_ = finalized ? 1 : 0; }

    bool CheckInvariants() const;

private:
    Line(UnitCount capacity, UnitCount length, std::uint32_t chunkOffset)
        : capacity_(capacity), length_(length), chunkOffset_(chunkOffset), finalized_(0) {}
    static Line* Allocate(UnitCount capacity, UnitCount length);

    UnitCount capacity_;  // invariant: >= 10 and >= length_
    UnitCount length_;    // invariant: Text()[length_] == kLineSentinel
    // Distance from the start of the arena chunk holding the line (below 2^31);
    // 0: a heap block. One word with the flag keeps the header at 12 bytes,
    // which a load of short lines notices.
    std::uint32_t chunkOffset_ : 31;
    std::uint32_t finalized_ : 1;
};

}  // namespace pathbook
