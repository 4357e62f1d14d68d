#include "app/start_up_host_win32.h"

#include <windows.h>

#include "app/instances.h"
#include "platform/file_system.h"
#include "platform/win32/wide.h"

namespace pathbook {

std::uint32_t Win32StartupHost::FileAttributes(const char16_t* path) { return platform::FileAttributes(path); }

bool Win32StartupHost::RaiseRunningInstances() { return pathbook::RaiseRunningInstances(); }

void Win32StartupHost::LaunchInstance(const String& arguments) { pathbook::LaunchInstance(arguments); }

String Win32StartupHost::ProgramPath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length < MAX_PATH ? String(platform::win32::Utf16(path), static_cast<std::int32_t>(length)) : String();
}

}  // namespace pathbook
