// Known folders: the shell's shell folders (ids up to 61, the CSIDL numbers)
// and the program's own (6023-6028), with the ways links and settings name
// paths relative to them.
#pragma once

#include <cstdint>

#include "platform/shell_folder.h"
#include "runtime/string.h"

namespace pathbook {

using FolderId = std::int32_t;

constexpr FolderId kFolderDocuments = 5;
constexpr FolderId kFolderDesktop = 16;
constexpr FolderId kFolderAppData = platform::kShellFolderAppData;
constexpr FolderId kFolderOneDrive = 40;  // the profile folder with "\OneDrive" appended
constexpr FolderId kFolderCommonDocuments = 46;
constexpr FolderId kLastShellFolder = 61;
constexpr FolderId kFolderWindows = 6023;
constexpr FolderId kFolderSystem = 6024;
constexpr FolderId kFolderTemporary = 6025;
constexpr FolderId kFolderProgram = 6026;      // the folder of the program file
constexpr FolderId kFolderCurrent = 6027;      // the process's current directory
constexpr FolderId kFolderProgramFile = 6028;  // the program file itself

// The folder's path, ending in a separator when `trailingSeparator` (never for
// kFolderProgramFile, which is a file); empty when the system cannot supply it
// or the id is unknown.
String FolderPath(FolderId id, bool trailingSeparator);

// The last component of FolderPath(id, false), e.g. "Documents"; empty when none.
String FolderName(FolderId id);

// The first of the documents, common documents, temporary, Windows, system,
// program, OneDrive and desktop folders whose path (with its separator) starts
// `path`, comparing ASCII letters without case and "/" as "\"; 0 when none does.
// A folder the system cannot supply matches nothing.
FolderId FindKnownFolder(const String& path);

// `text` placed in folder `id`: leading "./" steps are skipped and each "../"
// (or a final "." / "..") climbs one folder, never above the folder's root.
String ResolveDotPath(const String& text, FolderId id);

}  // namespace pathbook
