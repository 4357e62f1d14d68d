// A file copied a step at a time, so that a long copy can share a thread with
// other work. The source is read with ordinary reads, never mapped: a file
// cut short under a mapping would turn the next read into a fault.
// Tested by journal_recorder_test.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/append_file.h"

namespace pathbook::platform {

class StepwiseCopy {
public:
    StepwiseCopy() = default;
    ~StepwiseCopy() { Close(); }
    StepwiseCopy(const StepwiseCopy&) = delete;
    StepwiseCopy& operator=(const StepwiseCopy&) = delete;

    // Opens `source` for reading (others may go on writing it) and creates
    // `target` empty. False, with nothing open, when either fails.
    bool Open(const char16_t* source, const char16_t* target);
    // Copies up to `bytes` more; false when reading or writing fails.
    bool Step(std::size_t bytes);
    // The source's end was reached.
    bool Done() const { return done_; }
    std::uint64_t Copied() const { return copied_; }
    // Puts the copy on the disk and closes both files; false when it may not be there.
    bool Finish();
    void Close();

private:
    static constexpr std::intptr_t kNoFile = -1;
    // Reads up to `capacity` bytes of the source; -1 on failure, 0 at its end.
    std::int64_t ReadSome(std::uint8_t* buffer, std::size_t capacity);
    void CloseSource();

    std::intptr_t source_ = kNoFile;  // HANDLE or descriptor
    AppendFile target_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t copied_ = 0;
    bool done_ = false;
};

}  // namespace pathbook::platform
