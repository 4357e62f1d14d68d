// The document's lines: a gap buffer of owned Line pointers, so that typing on
// one line and inserting or deleting lines near the previous edit move only a
// few pointers.
#pragma once

#include <cassert>
#include <cstdint>

#include "document/doc_pos.h"
#include "document/line.h"

namespace pathbook {

class LineList {
public:
    // A capacity below 10 is raised to 10.
    explicit LineList(std::uint32_t capacity = 40);
    ~LineList();
    LineList(const LineList&) = delete;
    LineList& operator=(const LineList&) = delete;

    std::uint32_t Count() const { return gapStart_ + capacity_ - gapEnd_; }
    std::uint32_t Capacity() const { return capacity_; }

    // Element `index` (< Count()); the slot may be written to replace the
    // pointer after a line has been reallocated.
    Line*& operator[](LineIndex index) { return slots_[Slot(index)]; }
    Line* operator[](LineIndex index) const { return slots_[Slot(index)]; }

    // Takes ownership of `line` and puts it at `index` (clamped to Count()).
    // The array doubles when the gap has closed; it never shrinks.
    void Insert(LineIndex index, Line* line);
    // Destroys `count` lines from `index` (both clamped).
    void Remove(LineIndex index, std::uint32_t count);

    bool CheckInvariants() const;

private:
    std::uint32_t Slot(LineIndex index) const {
        assert(index < Count());
        return index < gapStart_ ? index : index + (gapEnd_ - gapStart_);
    }
    // Debug builds check the bounds after every change; a closed gap is grown at once.
    void AssertBounds() const { assert(gapStart_ < gapEnd_ && gapEnd_ <= capacity_); }
    void MoveGapTo(LineIndex index);
    void Grow();

    std::uint32_t capacity_;  // slots in slots_; >= 10
    std::uint32_t gapStart_;  // elements in front of the gap; invariant: gapStart_ <= gapEnd_ <= capacity_
    std::uint32_t gapEnd_;    // slot of the first element behind the gap
    Line** slots_;            // capacity_ slots; those in [gapStart_, gapEnd_) are unused
};

}  // namespace pathbook
