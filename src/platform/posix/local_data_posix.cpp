#include <cstdlib>
#include <string>

#include "platform/local_data.h"
#include "platform/portable_mode.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {

std::u16string LocalDataFolder() {
    const std::u16string portable = PortableFolder();
    if (!portable.empty()) return portable + u"\\LocalData";
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && *cache == '/') return posix::WindowsPath(std::string(cache) + "/pathbook");
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home != '/') return {};
    return posix::WindowsPath(std::string(home) + "/.cache/pathbook");
}

}  // namespace pathbook::platform
