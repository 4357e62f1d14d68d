#include <sys/stat.h>

#include "platform/file_identity.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {

FileIdentity ReadFileIdentity(const char16_t* path) {
    FileIdentity identity;
    struct stat info;
    if (*path == 0 || stat(posix::NativePath(path).c_str(), &info) != 0) return identity;
    identity.exists = true;
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.lastWrite = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                         static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    identity.fileId = static_cast<std::uint64_t>(info.st_ino);
    identity.volume = static_cast<std::uint32_t>(info.st_dev);
    return identity;
}

}  // namespace pathbook::platform
