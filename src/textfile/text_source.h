// What a document loads from and saves to. The text-file objects implement
// these over real files and encodings; tests use in-memory ones.
#pragma once

#include <cstdint>

namespace pathbook {

// Why the last Read stopped.
enum class ReadState : std::int32_t {
    kFinished = 0,     // no more text
    kAtLineBreak = 1,  // the line ended (the break itself is never stored); also the initial state
    kBufferFull = 2,   // the caller's buffer filled up inside a line
};

// How far a source has got: `done` of `total` in its own measure (the bytes of
// a file); 0 of 0 when it cannot tell.
struct SourceProgress {
    std::uint64_t done = 0;
    std::uint64_t total = 0;
};

// A decoded text, pulled line by line.
class TextSource {
public:
    virtual ~TextSource() = default;
    virtual ReadState State() const = 0;
    // Stores at most `capacity` units of the current line and returns how many.
    virtual std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) = 0;
    // True once the text has broken off before its end (a read error, a file
    // that shrank): the state is then finished and the text read so far is
    // not the whole text.
    virtual bool Failed() const { return false; }
    virtual SourceProgress Progress() const { return {}; }
};

// A text being written, line by line.
class TextSink {
public:
    virtual ~TextSink() = default;
    // Writes one line; every line but the last is followed by the sink's line break.
    virtual void WriteLine(const char16_t* units, std::uint32_t count, bool isLast) = 0;
    // Finishes the file; true only when every byte reached it. After a false
    // result the file that was there before is unchanged.
    virtual bool Close() = 0;
};

}  // namespace pathbook
