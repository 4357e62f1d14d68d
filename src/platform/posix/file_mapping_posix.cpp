#include <fcntl.h>
#include <errno.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "platform/file_mapping.h"
#include "platform/file_system.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {

bool FileMapping::Open(const char16_t* path) {
    Close();
    int fd = open(posix::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    attributes_ = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? kAttributeReadOnly : kAttributeNormal;
    if (size_ > 0) {
        void* view = mmap(nullptr, size_, PROT_READ, MAP_SHARED, fd, 0);
        if (view == MAP_FAILED) {
            ::close(fd);
            size_ = 0;
            return false;
        }
        madvise(view, size_, MADV_SEQUENTIAL);
        view_ = static_cast<const std::uint8_t*>(view);
    }
    file_ = fd;
    return true;
}

void FileMapping::Release(std::uint64_t bytes) {
    if (view_ == nullptr) return;
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
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
}

}  // namespace pathbook::platform
