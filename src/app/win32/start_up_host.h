// Start-up's view of the running system: files, other instances, the program
// file, and, once the main window has read them, the history and favourites.
#pragma once

#include "app/start_up.h"
#include "config/config_store.h"
#include "navigation/favorite_list.h"

namespace pathbook {

class Win32StartupHost : public StartupHost {
public:
    std::uint32_t FileAttributes(const char16_t* path) override;
    bool RaiseRunningInstances() override;
    void LaunchInstance(const String& arguments) override;
    // Empty until UseLists.
    StartDocument MostRecentHistoryEntry() override;
    StartDocument HomePage() override;
    String ProgramPath() override;

    // The lists read by the main window; they outlive this host's use.
    void UseLists(const ConfigStore& config, const FavoriteList& favorites) {
        config_ = &config;
        favorites_ = &favorites;
    }

private:
    const ConfigStore* config_ = nullptr;
    const FavoriteList* favorites_ = nullptr;
};

}  // namespace pathbook
