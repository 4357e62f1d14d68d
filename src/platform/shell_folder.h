// The system's shell folders (the shell's CSIDL numbers: 0x1A application
// data, 0x05 documents, ...). The POSIX build maps them into the home folder.
#pragma once

#include <string>
#include <string_view>

namespace pathbook::platform {

constexpr int kShellFolderAppData = 0x1A;

// The folder's path without a trailing separator, or empty when the system has
// no such folder.
std::u16string ShellFolderPath(int csidl);

// The application-data folder, a separator and `name`, where the settings and
// the favourites live; the bare name when the system has no such folder. In
// portable mode the program's own folder (portable_mode.h).
std::u16string AppDataFilePath(std::u16string_view name);

}  // namespace pathbook::platform
