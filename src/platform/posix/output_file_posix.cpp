#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/output_file.h"
#include "platform/posix/native_path.h"
#include "runtime/utf8.h"

namespace pathbook::platform {

bool OutputFile::CreateBeside(const char16_t* neighbour) {
    Close();
    std::string folder = posix::NativePath(neighbour);
    std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    std::string name = folder + ".pathbook-XXXXXX";
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
    file_ = fd;
    path_ = Utf8ToUtf16(name);
    return true;
}

bool OutputFile::Write(const void* bytes, std::size_t count) {
    if (!IsOpen()) return false;
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t written = write(static_cast<int>(file_), at, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        at += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::Close() {
    if (!IsOpen()) return true;
    int fd = static_cast<int>(file_);
    file_ = kNoFile;
    bool synced = fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    return synced && closed;
}

}  // namespace pathbook::platform
