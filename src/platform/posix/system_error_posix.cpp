#include <cerrno>
#include <cstring>

#include "platform/system_error.h"
#include "runtime/utf8.h"

namespace pathbook::platform {

SystemError LastSystemError() { return static_cast<SystemError>(errno); }

std::u16string SystemErrorText(SystemError error) {
    if (error == 0) return {};
    return Utf8ToUtf16(std::strerror(static_cast<int>(error)));
}

}  // namespace pathbook::platform
