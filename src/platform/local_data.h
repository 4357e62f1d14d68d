// The program's machine-local data folder, for what belongs to this computer
// only (recovery journals, caches): %LOCALAPPDATA%\Pathbook on Windows;
// $XDG_CACHE_HOME/pathbook or ~/.cache/pathbook on POSIX. In portable mode
// (portable_mode.h) it is the folder "LocalData" beside the program.
// Tested by ini_file_test.cpp.
#pragma once

#include <string>

namespace pathbook::platform {

// The folder's path without a trailing separator (it need not exist yet), or
// empty when the system names no such place.
std::u16string LocalDataFolder();

}  // namespace pathbook::platform
