#include <windows.h>

#include "platform/process_identity.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

std::u16string HostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &length)) return {};
    return std::u16string(win32::Utf16(name), length);
}

}  // namespace pathbook::platform
