// The line being read during a load. The source decodes straight into a buffer
// that stays in the cache for lines of common length; the finished line is then
// stored once, carved from the load's arena with the capacity a new line gets,
// and classified while its text is still in the cache. A buffer grown for a
// very long line is given back as soon as the line is stored, before its
// attribute words are written, so such a line is held at most twice over.
#pragma once

#include "document/doc_pos.h"
#include "document/line.h"
#include "document/line_arena.h"

namespace pathbook {

class LineBuilder {
public:
    explicit LineBuilder(LineArena& arena);
    ~LineBuilder();
    LineBuilder(const LineBuilder&) = delete;
    LineBuilder& operator=(const LineBuilder&) = delete;

    // Room for `count` more units at the end of the line; Commit then says how
    // many of them were written.
    char16_t* Reserve(UnitCount count);
    void Commit(UnitCount count) { length_ += count; }
    // The line read so far (the caller owns it); the builder starts over empty.
    Line* Finish();

private:
    // Lines up to this many units reuse the buffer.
    static constexpr std::size_t kKeptCapacity = 16384;

    void Resize(std::size_t capacity);

    LineArena& arena_;
    char16_t* units_ = nullptr;
    std::size_t capacity_ = 0;  // units in units_
    std::size_t length_ = 0;    // units of the line; invariant: <= capacity_
};

}  // namespace pathbook
