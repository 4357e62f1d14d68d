#include <windows.h>

#include "platform/profile.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

using win32::Wide;

std::int32_t ReadIniInt(const char16_t* path, const char16_t* section, const char16_t* key,
                            std::int32_t defaultValue) {
    return static_cast<std::int32_t>(GetPrivateProfileIntW(Wide(section), Wide(key), defaultValue, Wide(path)));
}

std::uint32_t ReadIniString(const char16_t* path, const char16_t* section, const char16_t* key,
                                const char16_t* defaultValue, char16_t* buffer, std::uint32_t capacity) {
    return GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue), Wide(buffer), capacity,
                                    Wide(path));
}

bool WriteIniString(const char16_t* path, const char16_t* section, const char16_t* key,
                        const char16_t* value) {
    return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(path)) != FALSE;
}

}  // namespace pathbook::platform
