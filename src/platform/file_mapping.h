// A whole file mapped read-only, opened with read and write sharing and a
// sequential-scan hint. An empty file is opened but nothing is mapped.
#pragma once

#include <cstdint>

namespace pathbook::platform {

class FileMapping {
public:
    FileMapping() = default;
    ~FileMapping() { Close(); }
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    // Closes what is open, then opens and maps `path`. False (with nothing open)
    // for a missing file, a folder, or a file that cannot be mapped.
    bool Open(const char16_t* path);
    void Close();
    // The first `bytes` bytes will not be read again soon: the memory of the
    // whole pages among them may go, to be read from the file again if they
    // are touched. Keeps a load's memory from holding the whole file.
    void Release(std::uint64_t bytes);
    // Reads bytes [from, to) through the file's handle rather than the
    // mapping: false when the system reports an error or the file now ends
    // before `to`. Touching a page of the mapping that cannot be read ends the
    // process, so a reader confirms the bytes ahead of it; once confirmed they
    // have just been read into memory.
    bool Confirm(std::uint64_t from, std::uint64_t to) const;

    bool IsOpen() const { return file_ != kNoFile; }
    // Null for an empty file.
    const std::uint8_t* Data() const { return view_; }
    std::uint64_t Size() const { return size_; }
    std::uint32_t Attributes() const { return attributes_; }

private:
    static constexpr std::intptr_t kNoFile = -1;  // INVALID_HANDLE_VALUE, or no descriptor

    std::intptr_t file_ = kNoFile;  // HANDLE or file descriptor
    std::intptr_t mapping_ = 0;     // mapping HANDLE; unused by POSIX
    const std::uint8_t* view_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint32_t attributes_ = 0;
};

}  // namespace pathbook::platform
