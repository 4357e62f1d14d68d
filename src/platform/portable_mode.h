// Portable mode: a file "portable.ini" beside the program file (it may be
// empty) keeps the settings, the favourites and the program's local data in
// the program's own folder instead of the user's folders, so that the program
// and its state travel together (on a USB stick, say). Tested by
// ini_file_test.cpp.
#pragma once

#include <string>
#include <string_view>

namespace pathbook::platform {

// The folder of `programPath` (without a trailing separator) when a file
// "portable.ini" lies in it; empty otherwise, and for a path without a folder.
std::u16string PortableFolderOf(std::u16string_view programPath);

// PortableFolderOf the running program, looked at once per process.
std::u16string PortableFolder();

}  // namespace pathbook::platform
