// The files of one folder, and making folders.
// Tested by journal_folder_test.cpp.
#pragma once

#include <string>
#include <vector>

namespace pathbook::platform {

// The names (not paths) of the files in `folder`, folders left out, in no
// particular order; empty when the folder cannot be read.
std::vector<std::u16string> FileNamesIn(const char16_t* folder);

// Creates `folder` and the missing folders above it; true when it exists afterwards.
bool MakeFolders(const char16_t* folder);

}  // namespace pathbook::platform
