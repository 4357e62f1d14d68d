// A settings store of one test's own: an INI file in a temporary folder and
// kernel-object names no other run uses (removed afterwards).
#pragma once

#include <string>

#include "config/config_store.h"
#include "support/temp_folder.h"
#include "support/unique_name.h"

namespace pathbook::test {

class PrivateConfig {
public:
    ConfigPlaces Places() const {
        ConfigPlaces places;
        places.iniPath = String(IniPath());
        places.historyMutex = String(historyMutex_.Name());
        places.sharedBlock = String(block_.Name());
        places.sharedBlockMutex = String(blockMutex_.Name());
        return places;
    }
    std::u16string IniPath() const { return folder_.File("Pathbook.ini"); }
    // A file beside the INI file (DocList.txt, say).
    std::u16string File(const std::string& name) const { return folder_.File(name); }
    const std::u16string& HistoryMutexName() const { return historyMutex_.Name(); }

private:
    TempFolder folder_;
    NameCleanup historyMutex_{UniqueName("MRUMutex")};
    NameCleanup block_{UniqueName("ConfigBlock")};
    NameCleanup blockMutex_{UniqueName("ConfigSem")};
};

}  // namespace pathbook::test
