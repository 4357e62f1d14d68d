#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/output_file.h"
#include "platform/posix/native_path.h"
#include "runtime/utf8.h"

namespace pathbook::platform {

bool OutputFile::CreateBeside(const char16_t* neighbour) {
    Discard();
    error_ = 0;
    backupPath_.clear();
    std::string folder = posix::NativePath(neighbour);
    std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    std::string name = folder + ".pathbook-XXXXXX";
    int fd = mkstemp(name.data());
    if (fd < 0) {
        Failed(LastSystemError());
        return false;
    }
    file_ = fd;
    path_ = Utf8ToUtf16(name);
    owned_ = true;
    return true;
}

bool OutputFile::Write(const void* bytes, std::size_t count) {
    if (!IsOpen()) return false;
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t written = write(static_cast<int>(file_), at, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            Failed(written == 0 ? ENOSPC : LastSystemError());
            return false;
        }
        at += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::CloseFile() {
    if (!IsOpen()) return true;
    int fd = static_cast<int>(file_);
    file_ = kNoFile;
    bool synced = fsync(fd) == 0;
    if (!synced) Failed(LastSystemError());
    bool closed = ::close(fd) == 0;
    if (!closed) Failed(LastSystemError());
    return synced && closed;
}

void OutputFile::Failed(SystemError error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
}

void OutputFile::Discard() {
    CloseFile();
    if (owned_) unlink(posix::NativePath(path_.c_str()).c_str());
    owned_ = false;
}

// rename() puts the new file in place in one step: on failure the target is
// as it was, so the new file can always go.
CommitResult OutputFile::Commit(const char16_t* target) {
    if (!owned_) return CommitResult::kWriteFailed;
    if (!CloseFile()) {
        Discard();
        return CommitResult::kWriteFailed;
    }
    std::string to = posix::NativePath(target);
    std::string from = posix::NativePath(path_.c_str());
    // Replace what a symbolic link points at, not the link.
    if (char* resolved = realpath(to.c_str(), nullptr)) {
        to = resolved;
        std::free(resolved);
    }
    struct stat info;
    bool targetThere = stat(to.c_str(), &info) == 0;
    if (targetThere && S_ISDIR(info.st_mode)) {
        Failed(EISDIR);
    } else if (targetThere && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        // Read-only, as FileAttributes reports it: not replaced, as on Windows.
        Failed(EACCES);
    } else if (targetThere && chmod(from.c_str(), info.st_mode & 07777) != 0) {
        Failed(LastSystemError());
    } else if (std::rename(from.c_str(), to.c_str()) != 0) {
        Failed(LastSystemError());
    } else {
        owned_ = false;
        return CommitResult::kReplaced;
    }
    Discard();
    return CommitResult::kTargetKept;
}

}  // namespace pathbook::platform
