#include <windows.h>

#include <memory>

#include "platform/file_mapping.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

bool FileMapping::Open(const char16_t* path) {
    Close();
    HANDLE file = CreateFileW(win32::Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(file);
        return false;
    }
    std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > 0) {
        HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
        if (view == nullptr) {
            if (mapping) CloseHandle(mapping);
            CloseHandle(file);
            return false;
        }
        mapping_ = reinterpret_cast<std::intptr_t>(mapping);
        view_ = static_cast<const std::uint8_t*>(view);
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
    size_ = size;
    attributes_ = info.dwFileAttributes;
    return true;
}

void FileMapping::Release(std::uint64_t bytes) {
    if (view_ == nullptr) return;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    std::uint64_t whole = (bytes < size_ ? bytes : size_) / system.dwPageSize * system.dwPageSize;
    // Unlocking pages that are not locked takes them out of the working set
    // (the call then reports failure, which is the expected outcome here);
    // the view is read-only, so they come back from the file when touched.
    if (whole > 0) VirtualUnlock(const_cast<std::uint8_t*>(view_), static_cast<SIZE_T>(whole));
}

bool FileMapping::Confirm(std::uint64_t from, std::uint64_t to) const {
    if (!IsOpen() || to > size_) return false;
    constexpr DWORD kScratch = 64 * 1024;
    std::unique_ptr<char[]> scratch(new char[kScratch]);
    while (from < to) {
        const DWORD want = to - from < kScratch ? static_cast<DWORD>(to - from) : kScratch;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(from);
        at.OffsetHigh = static_cast<DWORD>(from >> 32);
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(file_), scratch.get(), want, &got, &at) || got == 0) return false;
        from += got;
    }
    return true;
}

void FileMapping::Close() {
    if (!IsOpen()) return;
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != 0) CloseHandle(reinterpret_cast<HANDLE>(mapping_));
    CloseHandle(reinterpret_cast<HANDLE>(file_));
    file_ = kNoFile;
    mapping_ = 0;
    view_ = nullptr;
    size_ = 0;
    attributes_ = 0;
}

}  // namespace pathbook::platform
