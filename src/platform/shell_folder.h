// The system's shell folders (the shell's CSIDL numbers: 0x1A application
// data, 0x05 documents, ...). The POSIX build maps them into the home folder.
#pragma once

#include <string>

namespace pathbook::platform {

// The folder's path without a trailing separator, or empty when the system has
// no such folder.
std::u16string ShellFolderPath(int csidl);

}  // namespace pathbook::platform
