#include "platform/posix/shm_name.h"

#include <sys/file.h>

#include <cerrno>
#include <string_view>

#include "runtime/utf8.h"

namespace pathbook::platform::posix {

std::string SharedObjectName(const char16_t* name) {
    std::string native = "/" + Utf16ToUtf8(std::u16string_view(name));
    for (std::size_t i = 1; i < native.size(); ++i) {
        if (native[i] == '/' || native[i] == '\\') native[i] = '_';
    }
    return native;
}

bool LockDescriptor(int fd, int operation) {
    for (;;) {
        if (flock(fd, operation) == 0) return true;
        if (errno != EINTR) return false;
    }
}

}  // namespace pathbook::platform::posix
