#include <windows.h>

#include "platform/file_system.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

using win32::Wide;

std::uint32_t FileAttributes(const char16_t* path) { return GetFileAttributesW(Wide(path)); }

bool RemoveFile(const char16_t* path) { return DeleteFileW(Wide(path)) != FALSE; }

bool ReplaceFileWith(const char16_t* target, const char16_t* replacement) {
    DWORD attributes = GetFileAttributesW(Wide(target));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return MoveFileExW(Wide(replacement), Wide(target), MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    // A folder is never replaced by a file (Wine's ReplaceFileW would move it aside).
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if (ReplaceFileW(Wide(target), Wide(replacement), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        return true;
    }
    // Some file systems cannot replace; a move over the original still keeps it
    // whole until the new one is complete.
    if (!MoveFileExW(Wide(replacement), Wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    SetFileAttributesW(Wide(target), attributes);
    return true;
}

}  // namespace pathbook::platform
