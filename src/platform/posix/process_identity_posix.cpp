#include <limits.h>
#include <unistd.h>

#include <string>

#include "platform/process_identity.h"
#include "runtime/utf8.h"

namespace pathbook::platform {

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

std::u16string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return Utf8ToUtf16(name);
}

}  // namespace pathbook::platform
