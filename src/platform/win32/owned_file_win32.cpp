#include <windows.h>

#include "platform/owned_file.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

// Shared for deletion only: no other process can open the file while this
// handle lives, and its owner can still delete it before letting go.
HANDLE OpenOwned(const char16_t* path, DWORD disposition) {
    return CreateFileW(win32::Wide(path), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool OwnedFile::Create(const char16_t* path) {
    Close(false);
    HANDLE file = OpenOwned(path, CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    path_ = path;
    return true;
}

bool OwnedFile::Claim(const char16_t* path) {
    Close(false);
    HANDLE file = OpenOwned(path, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    path_ = path;
    return true;
}

// The name goes when the handle closes; until then nobody can open it.
void OwnedFile::Close(bool remove) {
    if (!IsOpen()) return;
    if (remove) DeleteFileW(win32::Wide(path_.c_str()));
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = kNone;
    path_.clear();
}

}  // namespace pathbook::platform
