// What the system itself says about file types before a file is handed to
// the shell: whether opening one of the type runs code (AssocIsDangerous:
// the system's list of unsafe types and every type marked always unsafe).
// The POSIX build has no such registry and says no.
#pragma once

#include <string_view>

namespace pathbook::platform {

// `extension` with its leading "." (".hta"); false when the system does not
// say so or cannot be asked.
bool SystemCallsTypeUnsafe(std::u16string_view extension);

}  // namespace pathbook::platform
