// The folders the system keeps for the running program, apart from the shell's
// shell folders (shell_folder.h). Each path is empty when the system cannot
// supply it or it does not fit a path buffer of 260 units.
#pragma once

#include <string>

namespace pathbook::platform {

enum class ProgramFolder {
    kWindows,           // GetWindowsDirectoryW
    kSystem,            // GetSystemDirectoryW
    kTemporary,         // GetTempPathW (with its trailing separator)
    kCurrentDirectory,  // GetCurrentDirectoryW
    kProgramFile,       // GetModuleFileNameW: the program file itself
};

std::u16string ProgramFolderPath(ProgramFolder folder);

}  // namespace pathbook::platform
