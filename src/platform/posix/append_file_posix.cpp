#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/append_file.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {

bool AppendFile::Create(const char16_t* path) {
    Close();
    int fd = open(posix::NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    file_ = fd;
    return true;
}

bool AppendFile::OpenAt(const char16_t* path, std::uint64_t size) {
    Close();
    int fd = open(posix::NativePath(path).c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    bool placed = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (placed && static_cast<std::uint64_t>(info.st_size) > size) {
        placed = ftruncate(fd, static_cast<off_t>(size)) == 0;
    }
    if (!placed || lseek(fd, 0, SEEK_END) < 0) {
        close(fd);
        return false;
    }
    file_ = fd;
    return true;
}

bool AppendFile::Append(const void* bytes, std::size_t count) {
    if (!IsOpen()) return false;
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t written = write(static_cast<int>(file_), at, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        at += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool AppendFile::Sync() { return IsOpen() && fsync(static_cast<int>(file_)) == 0; }

void AppendFile::Close() {
    if (!IsOpen()) return;
    close(static_cast<int>(file_));
    file_ = kNoFile;
}

}  // namespace pathbook::platform
