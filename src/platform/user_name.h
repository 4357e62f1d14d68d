// The name of the user running the program.
#pragma once

#include <string>

namespace pathbook::platform {

// GetUserNameW into 256 characters; empty when the system cannot tell.
std::u16string CurrentUserName();

}  // namespace pathbook::platform
