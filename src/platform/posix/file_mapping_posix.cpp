// The POSIX twin reads small files whole and maps larger ones. It has no
// guard for a page that fails after Open (the system would end the process
// with SIGBUS); the native build is for tests, the Windows build has the guard.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/file_mapping.h"
#include "platform/file_system.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {
namespace {

std::uint64_t PageSize() { return static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)); }

}  // namespace

bool FileMapping::Open(const char16_t* path, PageCheck check) {
    Close();
    int fd = open(posix::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    file_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    attributes_ = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? kAttributeReadOnly : kAttributeNormal;
    const bool read = size_ == 0 || (size_ <= kReadWholeBytes
                                         ? ReadWhole()
                                         : MapWhole() && (check == PageCheck::kByReader || ReadEveryPage()));
    if (!read) Close();
    return read;
}

bool FileMapping::ReadWhole() {
    void* memory = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return false;
    view_ = static_cast<const std::uint8_t*>(memory);
    copied_ = true;
    std::uint64_t got = 0;
    while (got < size_) {
        ssize_t count = read(static_cast<int>(file_), static_cast<std::uint8_t*>(memory) + got, size_ - got);
        if (count < 0 && errno == EINTR) continue;
        // The file may be shorter by now: what is missing counts as unreadable.
        if (count <= 0) return false;
        got += static_cast<std::uint64_t>(count);
    }
    mprotect(memory, size_, PROT_READ);
    return true;
}

bool FileMapping::MapWhole() {
    void* view = mmap(nullptr, size_, PROT_READ, MAP_SHARED, static_cast<int>(file_), 0);
    if (view == MAP_FAILED) return false;
    madvise(view, size_, MADV_SEQUENTIAL);
    view_ = static_cast<const std::uint8_t*>(view);
    return true;
}

// Each page once, a stretch at a time, each stretch let go again at once.
bool FileMapping::ReadEveryPage() {
    constexpr std::uint64_t kStretch = std::uint64_t{1} << 20;
    const std::uint64_t page = PageSize();
    volatile std::uint8_t sink = 0;
    for (std::uint64_t stretch = 0; stretch < size_; stretch += kStretch) {
        const std::uint64_t end = stretch + kStretch < size_ ? stretch + kStretch : size_;
        for (std::uint64_t at = stretch; at < end; at += page) sink = sink ^ view_[at];
        const std::uint64_t whole = (end - stretch) / page * page;
        if (whole > 0) madvise(const_cast<std::uint8_t*>(view_ + stretch), whole, MADV_DONTNEED);
    }
    return true;
}

void FileMapping::Release(std::uint64_t bytes) {
    if (view_ == nullptr || copied_) return;
    const std::uint64_t page = PageSize();
    std::uint64_t whole = (bytes < size_ ? bytes : size_) / page * page;
    // The mapping is read-only and shared, so dropped pages come back from the file.
    if (whole > 0) madvise(const_cast<std::uint8_t*>(view_), whole, MADV_DONTNEED);
}

bool FileMapping::Confirm(std::uint64_t from, std::uint64_t to) const {
    if (!IsOpen() || to > size_) return false;
    constexpr std::size_t kScratch = 64 * 1024;
    std::unique_ptr<char[]> scratch(new char[kScratch]);
    while (from < to) {
        const std::size_t want = to - from < kScratch ? static_cast<std::size_t>(to - from) : kScratch;
        const ssize_t got = pread(static_cast<int>(file_), scratch.get(), want, static_cast<off_t>(from));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        from += static_cast<std::uint64_t>(got);
    }
    return true;
}

void FileMapping::Close() {
    if (!IsOpen()) return;
    if (view_ != nullptr) munmap(const_cast<std::uint8_t*>(view_), size_);
    ::close(static_cast<int>(file_));
    file_ = kNoFile;
    view_ = nullptr;
    size_ = 0;
    attributes_ = 0;
    copied_ = false;
    failed_ = false;
    replaced_ = false;
}

}  // namespace pathbook::platform
