#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {

std::uint32_t FileAttributes(const char16_t* path) {
    struct stat info;
    if (*path == 0 || stat(posix::NativePath(path).c_str(), &info) != 0) return kInvalidAttributes;
    std::uint32_t attributes = S_ISDIR(info.st_mode) ? kAttributeDirectory : 0;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttributeReadOnly;
    return attributes == 0 ? kAttributeNormal : attributes;
}

bool RemoveFile(const char16_t* path) { return unlink(posix::NativePath(path).c_str()) == 0; }

ReadAccess ProbeReadAccess(const char16_t* path) {
    if (*path == 0) return ReadAccess::kMissing;
    int fd = open(posix::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadAccess::kMissing : ReadAccess::kUnreadable;
    struct stat info;
    bool folder = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    close(fd);
    return folder ? ReadAccess::kUnreadable : ReadAccess::kReadable;
}

bool MoveFileReplacing(const char16_t* from, const char16_t* to) {
    return std::rename(posix::NativePath(from).c_str(), posix::NativePath(to).c_str()) == 0;
}

}  // namespace pathbook::platform
