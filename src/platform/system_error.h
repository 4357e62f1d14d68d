// The reason the system gives for a failed call, kept as a number where the
// failure happens and turned into the system's own words where it is shown.
#pragma once

#include <cstdint>
#include <string>

namespace pathbook::platform {

// GetLastError, or errno in the POSIX build; 0 = no failure.
using SystemError = std::uint32_t;

// The reason for the latest failed call of this thread.
SystemError LastSystemError();

// The system's description of `error` in the user's language (FormatMessageW,
// or strerror in the POSIX build), without a trailing line break; empty for 0.
std::u16string SystemErrorText(SystemError error);

}  // namespace pathbook::platform
