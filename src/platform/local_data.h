// The folder where the program keeps what it can make again (caches), apart
// from the settings: %LOCALAPPDATA%\Pathbook on Windows, the XDG cache folder's
// "pathbook" on POSIX. Windows form, without a trailing separator.
#pragma once

#include <string>

namespace pathbook::platform {

// The folder's path, whether or not it exists yet; empty when the system has
// no such place.
std::u16string LocalDataFolder();

}  // namespace pathbook::platform
