// Start-up's view of the running system: files, other instances, the program file.
#pragma once

#include "app/start_up.h"

namespace pathbook {

class Win32StartupHost : public StartupHost {
public:
    std::uint32_t FileAttributes(const char16_t* path) override;
    bool RaiseRunningInstances() override;
    void LaunchInstance(const String& arguments) override;
    // History and favourites are not kept yet: both are empty.
    StartDocument MostRecentHistoryEntry() override { return {}; }
    StartDocument HomePage() override { return {}; }
    String ProgramPath() override;
};

}  // namespace pathbook
