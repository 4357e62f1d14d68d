#include <sys/stat.h>
#include <unistd.h>

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

bool ReplaceFileWith(const char16_t* target, const char16_t* replacement) {
    std::string to = posix::NativePath(target);
    std::string from = posix::NativePath(replacement);
    // Replace what a symbolic link points at, not the link.
    if (char* resolved = realpath(to.c_str(), nullptr)) {
        to = resolved;
        std::free(resolved);
    }
    struct stat info;
    if (stat(to.c_str(), &info) == 0 && chmod(from.c_str(), info.st_mode & 07777) != 0) return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace pathbook::platform
