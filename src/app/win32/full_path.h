// Paths are made absolute before they are stored, compared or sent to other
// instances: "..\x.txt" and "C:\notes\x.txt" must be the same document in the
// history, the chain and a hand-off.
#pragma once

#include "runtime/string.h"

namespace pathbook {

// GetFullPathNameW: relative to the current directory, "." and ".." folded.
// The path as given when the system cannot make it absolute.
String FullPath(const String& path);

}  // namespace pathbook
