// The line being read during a load. Its units gather in a buffer that stays in
// the cache for lines of common length; the finished line is then stored once,
// carved from the load's arena with the capacity a new line gets, and
// classified while its text is still in the cache. A buffer grown for a very
// long line is given back as soon as the line is stored, before its attribute
// words are written, so such a line is held at most twice over, never three times.
#pragma once

#include <string>

#include "document/doc_pos.h"
#include "document/line.h"
#include "document/line_arena.h"

namespace pathbook {

class LineBuilder {
public:
    explicit LineBuilder(LineArena& arena);
    LineBuilder(const LineBuilder&) = delete;
    LineBuilder& operator=(const LineBuilder&) = delete;

    void Append(const char16_t* units, UnitCount count) { text_.append(units, count); }
    // The line read so far (the caller owns it); the builder starts over empty.
    Line* Finish();

private:
    // Lines up to this many units reuse the buffer.
    static constexpr std::size_t kKeptCapacity = 16384;

    LineArena& arena_;
    std::u16string text_;
};

}  // namespace pathbook
