#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/folder_entries.h"
#include "platform/posix/native_path.h"
#include "runtime/utf8.h"

namespace pathbook::platform {
namespace {

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::vector<std::u16string> FileNamesIn(const char16_t* folder) {
    std::vector<std::u16string> names;
    std::string native = posix::NativePath(folder);
    DIR* listing = opendir(native.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name == "." || name == ".." || IsFolder(native + "/" + name)) continue;
        names.push_back(Utf8ToUtf16(name));
    }
    closedir(listing);
    return names;
}

// Each folder from the top down; one that exists already (or was made by
// someone else meanwhile) is fine.
bool MakeFolders(const char16_t* folder) {
    std::string native = posix::NativePath(folder);
    for (std::size_t slash = native.find('/', 1); slash != std::string::npos; slash = native.find('/', slash + 1)) {
        mkdir(native.substr(0, slash).c_str(), 0700);
    }
    if (mkdir(native.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return IsFolder(native);
}

}  // namespace pathbook::platform
