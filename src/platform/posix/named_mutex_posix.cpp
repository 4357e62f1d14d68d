#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/named_mutex.h"
#include "platform/posix/shm_name.h"

namespace pathbook::platform {

bool NamedMutex::Open(const char16_t* name) {
    Close();
    int fd = shm_open(posix::SharedObjectName(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

void NamedMutex::Close() {
    if (!IsOpen()) return;
    Release();
    close(static_cast<int>(handle_));
    handle_ = kNone;
}

bool NamedMutex::Acquire(std::uint32_t milliseconds) {
    if (!IsOpen() || held_) return held_;
    int fd = static_cast<int>(handle_);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (posix::LockDescriptor(fd, LOCK_EX | LOCK_NB)) return held_ = true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void NamedMutex::Release() {
    if (!held_) return;
    posix::LockDescriptor(static_cast<int>(handle_), LOCK_UN);
    held_ = false;
}

void NamedMutex::RemoveName(const char16_t* name) { shm_unlink(posix::SharedObjectName(name).c_str()); }

}  // namespace pathbook::platform
