// What tells whether a file changed: its size and last-write time.
// Tested by journal_folder_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook::platform {

struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // 100-ns ticks since 1601-01-01 UTC, as Windows counts

    friend bool operator==(const FileStamp& a, const FileStamp& b) {
        return a.exists == b.exists && a.size == b.size && a.writeTime == b.writeTime;
    }
    friend bool operator!=(const FileStamp& a, const FileStamp& b) { return !(a == b); }
};

// The stamp of the file `path`; a missing path or a folder reads as not existing.
FileStamp QueryFileStamp(const char16_t* path);

}  // namespace pathbook::platform
