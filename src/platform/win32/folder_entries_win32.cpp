#include <windows.h>

#include "platform/folder_entries.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

using win32::Utf16;
using win32::Wide;

std::vector<std::u16string> FileNamesIn(const char16_t* folder) {
    std::vector<std::u16string> names;
    std::u16string pattern = std::u16string(folder) + u"\\*";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(pattern.c_str()), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(Utf16(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Each folder from the top down; those that exist (a drive, a share, one made
// by someone else meanwhile) refuse to be created, which is fine.
bool MakeFolders(const char16_t* folder) {
    std::u16string path(folder);
    for (std::size_t separator = path.find_first_of(u"\\/", 1); separator != std::u16string::npos;
         separator = path.find_first_of(u"\\/", separator + 1)) {
        CreateDirectoryW(Wide(path.substr(0, separator).c_str()), nullptr);
    }
    CreateDirectoryW(Wide(path.c_str()), nullptr);
    DWORD attributes = GetFileAttributesW(Wide(path.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace pathbook::platform
