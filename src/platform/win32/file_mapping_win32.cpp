#include <windows.h>

#include <memory>
#include <vector>

#include "platform/file_mapping.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The views of the open mappings, for the handler of page errors: a page of a
// view that cannot be read raises EXCEPTION_IN_PAGE_ERROR, which would end
// the program. The handler is in place exactly while some view is open.
struct GuardedView {
    const std::uint8_t* start;
    std::uint64_t size;
    bool* failed;
    bool* replaced;
};

SRWLOCK g_viewsLock = SRWLOCK_INIT;
std::vector<GuardedView>* g_views = nullptr;  // guarded by g_viewsLock
void* g_handler = nullptr;                    // guarded by g_viewsLock

// The view becomes zeros in place: its file pages go, fresh zeroed pages take
// the same addresses, and the faulting read runs again on them.
bool PutZerosInPlace(const GuardedView& view) {
    void* start = const_cast<std::uint8_t*>(view.start);
    if (!UnmapViewOfFile(start)) return false;
    return VirtualAlloc(start, static_cast<SIZE_T>(view.size), MEM_RESERVE | MEM_COMMIT, PAGE_READONLY) == start;
}

LONG CALLBACK OnPageError(EXCEPTION_POINTERS* exception) noexcept {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode != EXCEPTION_IN_PAGE_ERROR || record->NumberParameters < 2) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    const auto* address = reinterpret_cast<const std::uint8_t*>(record->ExceptionInformation[1]);
    LONG answer = EXCEPTION_CONTINUE_SEARCH;
    AcquireSRWLockExclusive(&g_viewsLock);
    for (const GuardedView& view : *g_views) {
        if (address < view.start || address >= view.start + view.size) continue;
        if (PutZerosInPlace(view)) {
            *view.failed = true;
            *view.replaced = true;
            answer = EXCEPTION_CONTINUE_EXECUTION;
        }
        break;
    }
    ReleaseSRWLockExclusive(&g_viewsLock);
    return answer;
}

void Guard(const GuardedView& view) {
    AcquireSRWLockExclusive(&g_viewsLock);
    if (g_views == nullptr) g_views = new std::vector<GuardedView>();
    g_views->push_back(view);
    if (g_handler == nullptr) g_handler = AddVectoredExceptionHandler(1, OnPageError);
    ReleaseSRWLockExclusive(&g_viewsLock);
}

void Unguard(const std::uint8_t* start) {
    AcquireSRWLockExclusive(&g_viewsLock);
    for (auto view = g_views->begin(); view != g_views->end(); ++view) {
        if (view->start != start) continue;
        g_views->erase(view);
        break;
    }
    if (g_views->empty() && g_handler != nullptr) {
        RemoveVectoredExceptionHandler(g_handler);
        g_handler = nullptr;
    }
    ReleaseSRWLockExclusive(&g_viewsLock);
}

// Drops whole pages of [start, start + bytes) from the working set. Unlocking
// pages that are not locked does that (the call then reports failure, which
// is the expected outcome here); read-only pages come back from the file.
void DropPages(const std::uint8_t* start, std::uint64_t bytes) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const std::uint64_t whole = bytes / system.dwPageSize * system.dwPageSize;
    if (whole > 0) VirtualUnlock(const_cast<std::uint8_t*>(start), static_cast<SIZE_T>(whole));
}

}  // namespace

bool FileMapping::Open(const char16_t* path, PageCheck check) {
    Close();
    HANDLE file = CreateFileW(win32::Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(file);
        return false;
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
    size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    attributes_ = info.dwFileAttributes;
    const bool read = size_ == 0 || (size_ <= kReadWholeBytes
                                         ? ReadWhole()
                                         : MapWhole() && (check == PageCheck::kByReader || ReadEveryPage()));
    if (!read) Close();
    return read;
}

bool FileMapping::ReadWhole() {
    auto* memory = static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(size_), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (memory == nullptr) return false;
    view_ = memory;
    copied_ = true;
    DWORD got = 0;
    // The file may be shorter by now: what is missing counts as unreadable.
    if (!ReadFile(AsHandle(file_), memory, static_cast<DWORD>(size_), &got, nullptr) || got != size_) return false;
    DWORD previous = 0;
    VirtualProtect(memory, static_cast<SIZE_T>(size_), PAGE_READONLY, &previous);
    return true;
}

bool FileMapping::MapWhole() {
    HANDLE mapping = CreateFileMappingW(AsHandle(file_), nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) return false;
    mapping_ = reinterpret_cast<std::intptr_t>(mapping);
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) return false;
    view_ = static_cast<const std::uint8_t*>(view);
    Guard(GuardedView{view_, size_, &failed_, &replaced_});
    return true;
}

// Each page once, a stretch at a time, each stretch let go again at once: a
// file that cannot be read is found here, and the load keeps its small share
// of memory.
bool FileMapping::ReadEveryPage() {
    constexpr std::uint64_t kStretch = std::uint64_t{1} << 20;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    volatile std::uint8_t sink = 0;
    for (std::uint64_t stretch = 0; stretch < size_ && !failed_; stretch += kStretch) {
        const std::uint64_t end = stretch + kStretch < size_ ? stretch + kStretch : size_;
        for (std::uint64_t at = stretch; at < end && !failed_; at += system.dwPageSize) sink = sink ^ view_[at];
        DropPages(view_ + stretch, end - stretch);
    }
    return !failed_;
}

void FileMapping::Release(std::uint64_t bytes) {
    if (view_ == nullptr || copied_ || replaced_) return;
    DropPages(view_, bytes < size_ ? bytes : size_);
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
    if (view_ != nullptr && !copied_) Unguard(view_);
    if (view_ != nullptr) {
        if (copied_ || replaced_) {
            VirtualFree(const_cast<std::uint8_t*>(view_), 0, MEM_RELEASE);
        } else {
            UnmapViewOfFile(view_);
        }
    }
    if (mapping_ != 0) CloseHandle(AsHandle(mapping_));
    CloseHandle(AsHandle(file_));
    file_ = kNoFile;
    mapping_ = 0;
    view_ = nullptr;
    size_ = 0;
    attributes_ = 0;
    copied_ = false;
    failed_ = false;
    replaced_ = false;
}

}  // namespace pathbook::platform
