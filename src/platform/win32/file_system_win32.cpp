#include <windows.h>

#include "platform/file_system.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

using win32::Wide;

std::uint32_t FileAttributes(const char16_t* path) { return GetFileAttributesW(Wide(path)); }

bool RemoveFile(const char16_t* path) { return DeleteFileW(Wide(path)) != FALSE; }

ReadAccess ProbeReadAccess(const char16_t* path) {
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return ReadAccess::kReadable;
    }
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) {
        return ReadAccess::kMissing;
    }
    return ReadAccess::kUnreadable;
}

bool MoveFileReplacing(const char16_t* from, const char16_t* to) {
    return MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace pathbook::platform
