#include <cstdlib>
#include <string>

#include "platform/posix/native_path.h"
#include "platform/shell_folder.h"

namespace pathbook::platform {
namespace {

struct FolderMapping {
    int csidl;
    const char* belowHome;  // "" is the home folder itself
};

// Where the folders a note is likely to link to live in a POSIX home.
constexpr FolderMapping kFolders[] = {
    {0x00, "Desktop"},        // desktop
    {0x05, "Documents"},      // documents
    {0x10, "Desktop"},        // desktop folder
    {0x1A, ".config"},        // application data
    {0x1C, ".local/share"},   // local application data
    {0x28, ""},               // the user's profile
};

}  // namespace

std::u16string ShellFolderPath(int csidl) {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == 0) return {};
    for (const FolderMapping& folder : kFolders) {
        if (folder.csidl != csidl) continue;
        std::string path = home;
        if (*folder.belowHome != 0) path += std::string("/") + folder.belowHome;
        return posix::WindowsPath(path);
    }
    return {};
}

}  // namespace pathbook::platform
