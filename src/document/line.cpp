#include "document/line.h"

#include <algorithm>
#include <cassert>
#include <new>

#include "runtime/heap.h"

namespace pathbook {
namespace {

constexpr UnitCount kMinimumCapacity = 10;
// A line longer than this cannot be addressed with 32-bit columns.
constexpr std::uint64_t kMaximumCapacity = 0xFFFFFFF0u;

std::size_t BlockBytes(UnitCount capacity) {
    return sizeof(Line) + (static_cast<std::size_t>(capacity) * 2 + 1) * sizeof(char16_t);
}

void CopyUnits(char16_t* to, const char16_t* from, UnitCount count) {
    if (count != 0) Heap::CopyBytes(to, from, static_cast<std::size_t>(count) * sizeof(char16_t));
}

}  // namespace

UnitCount Line::CheckedLength(std::uint64_t length) {
    if (length > kMaximumCapacity) Heap::OutOfMemory();
    return static_cast<UnitCount>(length);
}

Line* Line::Allocate(UnitCount capacity, UnitCount length) {
    void* block = Heap::Allocate(BlockBytes(capacity));
    return new (block) Line(capacity, length, 0);
}

Line* Line::Create(const char16_t* text, UnitCount length, const char16_t* tail, UnitCount tailLength) {
    UnitCount total = CheckedLength(std::uint64_t{length} + tailLength);
    Line* line = Allocate(std::max(kMinimumCapacity, total), total);
    CopyUnits(line->Text(), text, length);
    CopyUnits(line->Text() + length, tail, tailLength);
    line->Text()[total] = kLineSentinel;
    return line;
}

Line* Line::CreateIn(LineArena& arena, const char16_t* text, UnitCount length) {
    static_assert(alignof(Line) <= LineArena::kBlockAlignment, "arena blocks must suit the header");
    static_assert(sizeof(Line) == 12, "the header is three words");
    UnitCount capacity = std::max(kMinimumCapacity, length);
    std::uint32_t offset = 0;
    void* block = arena.Allocate(BlockBytes(capacity), &offset);
    if (block == nullptr) return Create(text, length);
    Line* line = new (block) Line(capacity, length, offset);
    CopyUnits(line->Text(), text, length);
    line->Text()[length] = kLineSentinel;
    return line;
}

void Line::Destroy(Line* line) {
    if (line == nullptr) return;
    std::uint32_t offset = line->chunkOffset_;
    line->~Line();
    if (offset != 0) {
        LineArena::Release(line, offset);
    } else {
        Heap::Free(line);
    }
}

Line* Line::Insert(Line* line, Column at, const char16_t* units, UnitCount count) {
    at = std::min(at, line->length_);
    UnitCount newLength = CheckedLength(std::uint64_t{line->length_} + count);
    if (newLength > line->capacity_) {
        std::uint64_t doubled = std::uint64_t{line->capacity_} * 2;
        UnitCount capacity = CheckedLength(std::max<std::uint64_t>(std::min(doubled, kMaximumCapacity), newLength));
        Line* grown = Allocate(capacity, newLength);
        CopyUnits(grown->Text(), line->Text(), at);
        CopyUnits(grown->Text() + at + count, line->Text() + at, line->length_ - at);
        Heap::CopyBytes(grown->Attributes(), line->Attributes(), static_cast<std::size_t>(at) * sizeof(Attribute));
        Destroy(line);
        line = grown;
    } else {
        CopyUnits(line->Text() + at + count, line->Text() + at, line->length_ - at);
        line->length_ = newLength;
    }
    CopyUnits(line->Text() + at, units, count);
    line->Text()[newLength] = kLineSentinel;
    line->SetFinalized(false);
    assert(line->CheckInvariants());
    return line;
}

void Line::Remove(Column from, Column to) {
    to = std::min(to, length_);
    from = std::min(from, to);
    // The move takes the sentinel along.
    CopyUnits(Text() + from, Text() + to, length_ - to + 1);
    length_ -= to - from;
    SetFinalized(false);
    assert(CheckInvariants());
}

void Line::Truncate(Column at) {
    if (at >= length_) return;
    length_ = at;
    Text()[length_] = kLineSentinel;
    SetFinalized(false);
    assert(CheckInvariants());
}

bool Line::CheckInvariants() const {
    return capacity_ >= kMinimumCapacity && length_ <= capacity_ && Text()[length_] == kLineSentinel;
}

}  // namespace pathbook
