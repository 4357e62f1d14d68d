#include <windows.h>

#include "platform/named_mutex.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

namespace {
HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
}  // namespace

bool NamedMutex::Open(const char16_t* name) {
    Close();
    HANDLE mutex = CreateMutexW(nullptr, FALSE, win32::Wide(name));
    if (mutex == nullptr) return false;
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
    return true;
}

void NamedMutex::Close() {
    if (!IsOpen()) return;
    Release();
    CloseHandle(AsHandle(handle_));
    handle_ = kNone;
}

bool NamedMutex::Acquire(std::uint32_t milliseconds) {
    if (!IsOpen() || held_) return held_;
    DWORD result = WaitForSingleObject(AsHandle(handle_), milliseconds);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return held_;
}

void NamedMutex::Release() {
    if (!held_) return;
    ReleaseMutex(AsHandle(handle_));
    held_ = false;
}

void NamedMutex::RemoveName(const char16_t*) {}

}  // namespace pathbook::platform
