#include <windows.h>
#include <shlwapi.h>

#include "platform/path_char_type.h"

namespace pathbook::platform {

std::uint32_t PathCharType(char16_t unit) { return PathGetCharTypeW(static_cast<wchar_t>(unit)); }

}  // namespace pathbook::platform
