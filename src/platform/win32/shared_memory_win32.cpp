#include <windows.h>

#include "platform/shared_memory.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

bool SharedMemory::Open(const char16_t* name, std::uint32_t size, bool* created) {
    Close();
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, win32::Wide(name));
    if (mapping == nullptr) return false;
    *created = GetLastError() != ERROR_ALREADY_EXISTS;
    handle_ = reinterpret_cast<std::intptr_t>(mapping);
    size_ = size;
    return true;
}

void SharedMemory::Close() {
    if (!IsOpen()) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = kNone;
    size_ = 0;
}

std::uint8_t* SharedMemory::Map(bool writable) {
    if (!IsOpen()) return nullptr;
    void* view = MapViewOfFile(reinterpret_cast<HANDLE>(handle_), writable ? FILE_MAP_WRITE : FILE_MAP_READ, 0, 0,
                               size_);
    return static_cast<std::uint8_t*>(view);
}

void SharedMemory::Unmap(std::uint8_t* view) {
    if (view != nullptr) UnmapViewOfFile(view);
}

void SharedMemory::RemoveName(const char16_t*) {}

}  // namespace pathbook::platform
