#include "document/line_builder.h"

#include "runtime/heap.h"

namespace pathbook {

LineBuilder::LineBuilder(LineArena& arena) : arena_(arena) { Resize(kKeptCapacity); }

LineBuilder::~LineBuilder() { Heap::Free(units_); }

char16_t* LineBuilder::Reserve(UnitCount count) {
    if (count > capacity_ - length_) {
        std::size_t doubled = 2 * capacity_;
        Resize(doubled > length_ + count ? doubled : length_ + count);
    }
    return units_ + length_;
}

Line* LineBuilder::Finish() {
    Line* line = Line::CreateIn(arena_, units_, Line::CheckedLength(length_));
    length_ = 0;
    if (capacity_ > kKeptCapacity) Resize(kKeptCapacity);
    return line;
}

void LineBuilder::Resize(std::size_t capacity) {
    auto* units = static_cast<char16_t*>(Heap::Allocate(capacity * sizeof(char16_t)));
    if (length_ != 0) Heap::CopyBytes(units, units_, length_ * sizeof(char16_t));
    Heap::Free(units_);
    units_ = units;
    capacity_ = capacity;
}

}  // namespace pathbook
