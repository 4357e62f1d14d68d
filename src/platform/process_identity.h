// Who this process is, for naming the owner of what it leaves on disk.
// Tested by journal_folder_test.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace pathbook::platform {

std::uint32_t CurrentProcessId();

// The computer's name (GetComputerNameW, gethostname); empty when unknown.
std::u16string HostName();

}  // namespace pathbook::platform
