// A text file mapped whole and read-only, so that detection and the decoders
// walk one contiguous byte range without copying. Files of 4 GiB or more are
// refused: sizes are 32-bit throughout the decoders.
#pragma once

#include <cstdint>

#include "platform/file_mapping.h"

namespace pathbook {

class MappedFile {
public:
    virtual ~MappedFile() = default;

    // Closes any open file, then maps `path`. False, with nothing open, for a
    // missing file, a folder, a file that cannot be mapped, or one of 4 GiB or
    // more. With PageCheck::kByReader the caller confirms bytes before it reads them.
    bool Open(const char16_t* path, platform::PageCheck check = platform::PageCheck::kAtOpen);
    void Close() { mapping_.Close(); }
    // The bytes before `position` (inside Data()..Data() + Size()) will not be
    // read again: their memory may go.
    void ReleaseBefore(const std::uint8_t* position) { mapping_.Release(static_cast<std::uint64_t>(position - Data())); }
    // Reads bytes [from, to) of the file through the system (to <= Size()):
    // false when they cannot be read or the file has shrunk. The decoders read
    // the mapping only where it has been confirmed, so a failing disk or a
    // file cut short is reported instead of ending the process.
    bool Confirm(std::uint32_t from, std::uint32_t to) const { return from >= to || mapping_.Confirm(from, to); }

    // Never null, also for an empty file (which maps nothing).
    const std::uint8_t* Data() const;
    std::uint32_t Size() const { return static_cast<std::uint32_t>(mapping_.Size()); }
    // Whether some byte could not be read after Open (see FileMapping).
    bool ReadFailed() const { return mapping_.ReadFailed(); }
    // The attribute bits the file system reported at Open (read-only is 0x01).
    std::uint32_t Attributes() const { return mapping_.Attributes(); }

private:
    platform::FileMapping mapping_;
};

}  // namespace pathbook
