#include "document/line_list.h"

#include <algorithm>

#include "runtime/heap.h"
#include "runtime/prefetch.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kMinimumCapacity = 10;

void MoveSlots(Line** to, Line** from, std::uint32_t count) {
    if (count != 0) Heap::CopyBytes(to, from, static_cast<std::size_t>(count) * sizeof(Line*));
}

// Destroys slots[0..count).
void DestroyLines(Line* const* slots, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i + kLinePrefetchDistance < count) PrefetchForRead(slots[i + kLinePrefetchDistance]);
        Line::Destroy(slots[i]);
    }
}

}  // namespace

LineList::LineList(std::uint32_t capacity)
    : capacity_(std::max(capacity, kMinimumCapacity)),
      gapStart_(0),
      gapEnd_(capacity_),
      slots_(static_cast<Line**>(Heap::Allocate(static_cast<std::size_t>(capacity_) * sizeof(Line*)))) {}

LineList::~LineList() {
    Remove(0, Count());
    Heap::Free(slots_);
}

void LineList::MoveGapTo(LineIndex index) {
    if (index < gapStart_) {
        std::uint32_t moved = gapStart_ - index;
        MoveSlots(slots_ + gapEnd_ - moved, slots_ + index, moved);
        gapStart_ -= moved;
        gapEnd_ -= moved;
    } else if (index > gapStart_) {
        std::uint32_t moved = index - gapStart_;
        MoveSlots(slots_ + gapStart_, slots_ + gapEnd_, moved);
        gapStart_ += moved;
        gapEnd_ += moved;
    }
}

void LineList::Grow() {
    if (capacity_ > 0x7FFFFFFFu) Heap::OutOfMemory();
    std::uint32_t capacity = capacity_ * 2;
    Line** slots = static_cast<Line**>(Heap::Allocate(static_cast<std::size_t>(capacity) * sizeof(Line*)));
    std::uint32_t backCount = capacity_ - gapEnd_;
    MoveSlots(slots, slots_, gapStart_);
    MoveSlots(slots + capacity - backCount, slots_ + gapEnd_, backCount);
    Heap::Free(slots_);
    slots_ = slots;
    gapEnd_ = capacity - backCount;
    capacity_ = capacity;
}

void LineList::Insert(LineIndex index, Line* line) {
    MoveGapTo(std::min(index, Count()));
    slots_[gapStart_++] = line;
    if (gapStart_ == gapEnd_) Grow();
    AssertBounds();
}

void LineList::Remove(LineIndex index, std::uint32_t count) {
    index = std::min(index, Count());
    count = std::min(count, Count() - index);
    if (index < gapStart_ && index + count > gapStart_) {
        DestroyLines(slots_ + index, gapStart_ - index);
        count -= gapStart_ - index;
        gapStart_ = index;
    } else {
        MoveGapTo(index);
    }
    DestroyLines(slots_ + gapEnd_, count);
    gapEnd_ += count;
    AssertBounds();
}

bool LineList::CheckInvariants() const {
    if (capacity_ < kMinimumCapacity || gapStart_ > gapEnd_ || gapEnd_ > capacity_ || gapStart_ == gapEnd_) {
        return false;
    }
    for (LineIndex i = 0; i < Count(); ++i) {
        if ((*this)[i] == nullptr || !(*this)[i]->CheckInvariants()) return false;
    }
    return true;
}

}  // namespace pathbook
