#include <windows.h>

#include "platform/file_identity.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

std::uint64_t Join(DWORD high, DWORD low) { return static_cast<std::uint64_t>(high) << 32 | low; }

}  // namespace

FileIdentity ReadFileIdentity(const char16_t* path) {
    FileIdentity identity;
    // No access asked for: only the file's information is read.
    HANDLE file = CreateFileW(win32::Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info = {};
        bool known = GetFileInformationByHandle(file, &info) != FALSE;
        CloseHandle(file);
        if (known) {
            identity.exists = true;
            identity.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
            identity.lastWrite = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
            identity.fileId = Join(info.nFileIndexHigh, info.nFileIndexLow);
            identity.volume = info.dwVolumeSerialNumber;
            return identity;
        }
    }
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(win32::Wide(path), GetFileExInfoStandard, &data)) return identity;
    identity.exists = true;
    identity.size = Join(data.nFileSizeHigh, data.nFileSizeLow);
    identity.lastWrite = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return identity;
}

}  // namespace pathbook::platform
