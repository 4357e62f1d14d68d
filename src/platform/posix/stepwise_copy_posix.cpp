#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/native_path.h"
#include "platform/stepwise_copy.h"

namespace pathbook::platform {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

}  // namespace

bool StepwiseCopy::Open(const char16_t* source, const char16_t* target) {
    Close();
    int fd = open(posix::NativePath(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    if (!target_.Create(target)) {
        close(fd);
        return false;
    }
    source_ = fd;
    buffer_.resize(kBufferBytes);
    return true;
}

std::int64_t StepwiseCopy::ReadSome(std::uint8_t* buffer, std::size_t capacity) {
    for (;;) {
        ssize_t got = read(static_cast<int>(source_), buffer, capacity);
        if (got >= 0) return got;
        if (errno != EINTR) return -1;
    }
}

void StepwiseCopy::CloseSource() {
    if (source_ == kNoFile) return;
    close(static_cast<int>(source_));
    source_ = kNoFile;
}

}  // namespace pathbook::platform
