// The shell's file-name character classes for units outside ASCII: a non-zero
// result means the unit may appear in a file name (1 long names, 2 short
// names, 8 separator; flags may be combined).
#pragma once

#include <cstdint>

namespace pathbook::platform {

std::uint32_t PathCharType(char16_t unit);

}  // namespace pathbook::platform
