#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/folder_listing.h"
#include "platform/posix/native_path.h"
#include "runtime/utf8.h"

namespace pathbook::platform {
namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600LL;

WriteTime WriteTimeOf(const struct stat& info) {
    return (static_cast<WriteTime>(info.st_mtim.tv_sec) + kEpochDifference) * 10000000 + info.st_mtim.tv_nsec / 100;
}

// A name that is not UTF-8 could not be named again through a Windows-form
// path, so it is left out.
bool NameOf(const char* native, std::u16string* name) {
    *name = Utf8ToUtf16(native);
    return Utf16ToUtf8(*name) == native;
}

class OpenFolder {
public:
    explicit OpenFolder(const std::string& path) : folder_(opendir(path.c_str())) {}
    ~OpenFolder() {
        if (folder_ != nullptr) closedir(folder_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    DIR* Get() const { return folder_; }

private:
    DIR* folder_;
};

}  // namespace

bool ListFolder(const char16_t* folder, std::vector<FolderEntry>* entries) {
    entries->clear();
    if (*folder == 0 || posix::NamesOtherDrive(folder)) return false;
    OpenFolder open(posix::NativePath(folder));
    if (open.Get() == nullptr) return false;
    const int descriptor = dirfd(open.Get());
    while (const dirent* item = readdir(open.Get())) {
        if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0) continue;
        FolderEntry entry;
        struct stat info;
        if (!NameOf(item->d_name, &entry.name)) continue;
        if (fstatat(descriptor, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        entry.isLink = S_ISLNK(info.st_mode);
        // A link is listed as what it points at; a dangling one is left out.
        if (entry.isLink && fstatat(descriptor, item->d_name, &info, 0) != 0) continue;
        entry.isFolder = S_ISDIR(info.st_mode);
        if (!entry.isFolder && !S_ISREG(info.st_mode)) continue;
        entry.size = entry.isFolder ? 0 : static_cast<std::uint64_t>(info.st_size);
        entry.writeTime = WriteTimeOf(info);
        entries->push_back(std::move(entry));
    }
    return true;
}

bool MakeFolders(const char16_t* path) {
    if (*path == 0 || posix::NamesOtherDrive(path)) return false;
    const std::string native = posix::NativePath(path);
    for (std::size_t end = native.find('/', 1);; end = native.find('/', end + 1)) {
        std::string step = native.substr(0, end);
        if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (end == std::string::npos) break;
    }
    struct stat info;
    return stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace pathbook::platform
