#include <windows.h>

#include "platform/user_name.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

std::u16string CurrentUserName() {
    wchar_t name[256];
    DWORD length = 256;
    if (!GetUserNameW(name, &length)) return {};
    return win32::Utf16(name);
}

}  // namespace pathbook::platform
