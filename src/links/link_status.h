// The step after a click on a link: resolve it, test its target, and say what
// was found in one status line.
#pragma once

#include <cstdint>

#include "runtime/string.h"

namespace pathbook {

// Resolves `linkText` against `basePath` (which may be empty; web addresses
// keep their "%" as written, see ResolveLinkText), tests the target
// (a file's existence; an HTTP or FTP server's answer, which blocks for the
// probe's time-outs) and returns how many leading units of `linkText` name an
// existing target (0 = none). When only a leading part of a file link exists,
// `linkText` is cut to that part. A link longer than a path buffer (259 units)
// is first cut to that length. `statusText` receives the status line, empty
// when there is nothing to say.
std::int32_t ResolveLinkStatus(const String& basePath, String& linkText, String& statusText);

}  // namespace pathbook
