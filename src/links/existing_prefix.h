// How much of a file link names something that exists, so that the missing
// rest can be marked and only the existing part opened.
#pragma once

#include <cstdint>

#include "runtime/string.h"

namespace pathbook {

// The count of leading units of `linkText` (resolved against `basePath` and
// expanded) that exist: its whole length when it all exists, else the length
// of the longest existing parent plus its separator, else 0. Also 0 when the
// file system cannot tell (a failure other than "not found").
std::int32_t ExistingPrefixLength(const String& linkText, const String& basePath);

}  // namespace pathbook
