// Texts from the string table, in the user interface's language.
#pragma once

#include "runtime/string.h"

namespace pathbook {

// The string `id` of the program module; empty when there is none. Texts of
// any length load whole.
String LoadStringResource(unsigned id);

}  // namespace pathbook
