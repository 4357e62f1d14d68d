#include "app/win32/full_path.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"

namespace pathbook {

String FullPath(const String& path) {
    using platform::win32::Wide;
    if (path.Empty()) return path;
    DWORD needed = GetFullPathNameW(Wide(path.Chars()), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<char16_t> full(needed);
    DWORD length = GetFullPathNameW(Wide(path.Chars()), needed, Wide(full.data()), nullptr);
    if (length == 0 || length >= needed) return path;
    return String(full.data(), static_cast<std::int32_t>(length));
}

}  // namespace pathbook
