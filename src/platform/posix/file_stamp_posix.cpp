#include <sys/stat.h>

#include "platform/file_stamp.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {
namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kEpochDifference = 11644473600ULL;

}  // namespace

FileStamp QueryFileStamp(const char16_t* path) {
    FileStamp stamp;
    struct stat info;
    if (*path == 0 || stat(posix::NativePath(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.writeTime = (static_cast<std::uint64_t>(info.st_mtim.tv_sec) + kEpochDifference) * 10000000ULL +
                      static_cast<std::uint64_t>(info.st_mtim.tv_nsec) / 100;
    return stamp;
}

}  // namespace pathbook::platform
