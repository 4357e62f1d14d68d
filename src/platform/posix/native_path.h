// Windows-form paths to POSIX ones and back, for the POSIX implementations
// only: drive Z: is the root, as under Wine, and "\" separates like "/".
#pragma once

#include <string>

namespace pathbook::platform::posix {

std::string NativePath(const char16_t* path);
// "/tmp/x" as "Z:\tmp\x"; `native` starts with "/".
std::u16string WindowsPath(const std::string& native);
// Whether `path` starts with a drive other than Z:, which does not exist here.
bool NamesOtherDrive(const char16_t* path);

}  // namespace pathbook::platform::posix
