#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/owned_file.h"
#include "platform/posix/native_path.h"
#include "platform/posix/shm_name.h"

namespace pathbook::platform {
namespace {

// Whether the name still leads to the file `fd` holds: a file someone deleted
// after this process opened it is no longer the one the name means.
bool StillNamed(int fd, const std::string& path) {
    struct stat held, named;
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// Opens `path` with `flags` and locks it; -1 unless the lock is had on the
// file the name still means.
int OpenLocked(const std::string& path, int flags) {
    int fd = open(path.c_str(), flags | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (posix::LockDescriptor(fd, LOCK_EX | LOCK_NB) && StillNamed(fd, path)) return fd;
    close(fd);
    return -1;
}

}  // namespace

// A claimer may open the new file before it is locked here; it then takes and
// deletes it, and the check of the name tells.
bool OwnedFile::Create(const char16_t* path) {
    Close(false);
    int fd = OpenLocked(posix::NativePath(path), O_CREAT | O_EXCL);
    if (fd < 0) return false;
    handle_ = fd;
    path_ = path;
    return true;
}

bool OwnedFile::Claim(const char16_t* path) {
    Close(false);
    int fd = OpenLocked(posix::NativePath(path), 0);
    if (fd < 0) return false;
    handle_ = fd;
    path_ = path;
    return true;
}

void OwnedFile::Close(bool remove) {
    if (!IsOpen()) return;
    if (remove) unlink(posix::NativePath(path_.c_str()).c_str());
    close(static_cast<int>(handle_));
    handle_ = kNone;
    path_.clear();
}

}  // namespace pathbook::platform
