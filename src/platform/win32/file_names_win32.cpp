#include <windows.h>

#include "platform/file_names.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

using win32::Utf16;
using win32::Wide;

PathState QueryPath(const char16_t* path) {
    if (GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES) return PathState::kExists;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathState::kNotFound
                                                                         : PathState::kUnavailable;
}

std::u16string StoredFileName(const char16_t* path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(path), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return Utf16(found.cFileName);
}

std::u16string ShortPathName(const char16_t* path) {
    DWORD needed = GetShortPathNameW(Wide(path), nullptr, 0);
    if (needed == 0) return {};
    std::u16string shortPath(needed, u'\0');
    DWORD written = GetShortPathNameW(Wide(path), Wide(&shortPath[0]), needed);
    if (written == 0 || written >= needed) return {};
    shortPath.resize(written);
    return shortPath;
}

std::u16string FullPathName(const char16_t* path) {
    if (*path == 0) return std::u16string();
    DWORD needed = GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::u16string full(needed, u'\0');
    DWORD length = GetFullPathNameW(Wide(path), needed, Wide(full.data()), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

bool IsReadableFile(const char16_t* path) {
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace pathbook::platform
