// Names of kernel objects as POSIX shared-memory names: "/" and the UTF-8 name,
// with "/" (not allowed inside) and "\" written as "_".
#pragma once

#include <string>

namespace pathbook::platform::posix {

std::string SharedObjectName(const char16_t* name);

// Takes flock `operation` on `fd`, retrying when a signal interrupts it.
bool LockDescriptor(int fd, int operation);

}  // namespace pathbook::platform::posix
