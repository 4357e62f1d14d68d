// Every process that has the block open holds a shared lock on it. Open takes
// the lock exclusively first: getting it means nobody else has the block, so
// whatever the name still holds is left over from ended processes and starts
// again zero-filled, as a Windows mapping would once its last handle closed.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/posix/shm_name.h"
#include "platform/shared_memory.h"

namespace pathbook::platform {
namespace {

bool ZeroFill(int fd, std::uint32_t size) {
    return ftruncate(fd, 0) == 0 && ftruncate(fd, static_cast<off_t>(size)) == 0;
}

}  // namespace

bool SharedMemory::Open(const char16_t* name, std::uint32_t size, bool* created) {
    Close();
    int fd = shm_open(posix::SharedObjectName(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool alone = posix::LockDescriptor(fd, LOCK_EX | LOCK_NB);
    bool ready = alone ? ZeroFill(fd, size) : posix::LockDescriptor(fd, LOCK_SH);
    if (ready && alone) ready = posix::LockDescriptor(fd, LOCK_SH);
    if (!ready) {
        close(fd);
        return false;
    }
    *created = alone;
    handle_ = fd;
    size_ = size;
    return true;
}

void SharedMemory::Close() {
    if (!IsOpen()) return;
    close(static_cast<int>(handle_));
    handle_ = kNone;
    size_ = 0;
}

std::uint8_t* SharedMemory::Map(bool writable) {
    if (!IsOpen()) return nullptr;
    struct stat info;
    int fd = static_cast<int>(handle_);
    if (fstat(fd, &info) != 0 || info.st_size < static_cast<off_t>(size_)) return nullptr;
    void* view = mmap(nullptr, size_, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd, 0);
    return view == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(view);
}

void SharedMemory::Unmap(std::uint8_t* view) {
    if (view != nullptr) munmap(view, size_);
}

void SharedMemory::RemoveName(const char16_t* name) { shm_unlink(posix::SharedObjectName(name).c_str()); }

}  // namespace pathbook::platform
