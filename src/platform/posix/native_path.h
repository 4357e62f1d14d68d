// Windows-form paths to POSIX ones, for the POSIX implementations only: drive
// Z: is the root, as under Wine, and "\" separates like "/".
#pragma once

#include <string>

namespace pathbook::platform::posix {

std::string NativePath(const char16_t* path);

}  // namespace pathbook::platform::posix
