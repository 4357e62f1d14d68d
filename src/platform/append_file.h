// A file that one process writes at its end while others may read it (a
// journal). Every call reports whether the system accepted it. Writing
// allocates nothing, so a caller that has run out of memory can still write.
// Tested by journal_folder_test.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook::platform {

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile() { Close(); }
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Closes what is open, then creates `path` empty (replacing a file there).
    bool Create(const char16_t* path);
    // Closes what is open, then opens the existing `path` cut to its first
    // `size` bytes (a longer size leaves it whole), to write after them.
    bool OpenAt(const char16_t* path, std::uint64_t size);
    // Writes all `count` bytes at the end or returns false.
    bool Append(const void* bytes, std::size_t count);
    // Puts what was written on the disk itself; false when the system cannot.
    bool Sync();
    void Close();
    bool IsOpen() const { return file_ != kNoFile; }

private:
    static constexpr std::intptr_t kNoFile = -1;
    std::intptr_t file_ = kNoFile;  // HANDLE or file descriptor
};

}  // namespace pathbook::platform
