#include <pwd.h>
#include <unistd.h>

#include <string>

#include "platform/user_name.h"
#include "runtime/utf8.h"

namespace pathbook::platform {

std::u16string CurrentUserName() {
    char buffer[4096];
    struct passwd entry;
    struct passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr) return {};
    std::u16string name = Utf8ToUtf16(found->pw_name);
    return name.size() < 256 ? name : std::u16string();
}

}  // namespace pathbook::platform
