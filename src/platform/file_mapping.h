// A whole file for reading, opened with read and write sharing: a small file
// is read into memory of its own at once, a larger one mapped read-only with
// a sequential-scan hint. An empty file is opened but nothing is read.
//
// A read that fails (the file's medium goes away: a network share, a removed
// disk) is a failed read, never the end of the program: a small file's fails
// Open; a mapped file's every page is read once by Open, so that a file that
// cannot be read fails Open too, unless the reader confirms the bytes ahead
// of it itself (Confirm), which lets a big file show before it is all read.
// Should a page fail later, when it comes back from the file, the Windows
// build makes the whole view read as zeros and ReadFailed() says so, so that
// the reader can drop what it read.
#pragma once

#include <cstdint>

namespace pathbook::platform {

// Files up to this size are read at once rather than mapped.
constexpr std::uint64_t kReadWholeBytes = 1u << 20;

// Who finds out, for a mapped file, that its bytes can be read.
enum class PageCheck {
    kAtOpen,    // Open reads every page once
    kByReader,  // the reader finds out itself: Confirm before it touches
                // bytes, or ReadFailed() after a pass over them all
};

class FileMapping {
public:
    FileMapping() = default;
    ~FileMapping() { Close(); }
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    // Closes what is open, then opens and reads or maps `path`. False (with
    // nothing open) for a missing file, a folder, a file that cannot be
    // mapped, or (read whole, or checked at open) one whose bytes cannot all be read.
    bool Open(const char16_t* path, PageCheck check = PageCheck::kAtOpen);
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
    // Whether some byte could not be read after Open; Data() then reads as zeros.
    bool ReadFailed() const { return failed_; }

private:
    static constexpr std::intptr_t kNoFile = -1;  // INVALID_HANDLE_VALUE, or no descriptor

    bool ReadWhole();
    bool MapWhole();
    bool ReadEveryPage();

    std::intptr_t file_ = kNoFile;  // HANDLE or file descriptor
    std::intptr_t mapping_ = 0;     // mapping HANDLE; unused by POSIX
    const std::uint8_t* view_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint32_t attributes_ = 0;
    bool copied_ = false;    // view_ is memory of its own, not a view of the file
    bool failed_ = false;    // set by the page-error guard, on any thread
    bool replaced_ = false;  // the guard put zeros in the view's place
};

}  // namespace pathbook::platform
