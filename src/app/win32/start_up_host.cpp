#include "app/win32/start_up_host.h"

#include <windows.h>

#include "app/win32/instances.h"
#include "platform/file_system.h"
#include "platform/program_folders.h"
#include "platform/win32/wide.h"

namespace pathbook {

std::uint32_t Win32StartupHost::FileAttributes(const char16_t* path) { return platform::FileAttributes(path); }

bool Win32StartupHost::RaiseRunningInstances() { return pathbook::RaiseRunningInstances(); }

void Win32StartupHost::LaunchInstance(const String& arguments) { pathbook::LaunchInstance(arguments); }

StartDocument Win32StartupHost::MostRecentHistoryEntry() {
    if (config_ == nullptr) return {};
    HistoryEntry latest = config_->GetHistory(-1);
    return {latest.path, latest.code};
}

StartDocument Win32StartupHost::HomePage() {
    if (favorites_ == nullptr) return {};
    Favorite home = favorites_->Get(0);
    return {home.path, home.code};
}

String Win32StartupHost::ProgramPath() {
    return String(platform::ProgramFolderPath(platform::ProgramFolder::kProgramFile));
}

}  // namespace pathbook
