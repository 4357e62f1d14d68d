// Path text by the shell's rules (shlwapi and the environment): joining,
// canonicalising, environment expansion and compacting for display. Paths are
// Windows form; "\" separates and "/" is accepted as a separator too. Results
// live in the system's fixed buffers of kMaxPathUnits units (NUL included), so a
// longer result is cut to kMaxPathUnits - 1 units, never written past.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathbook::platform {

// MAX_PATH: the units of a fixed path buffer, counting the NUL.
constexpr std::int32_t kMaxPathUnits = 260;

// PathAppendW(path, more) then PathCanonicalizeW: "." and ".." steps are folded,
// a leading separator of `more` does not reset to the root, an empty `path`
// gives `more` itself. A join too long for the buffer is cut, not dropped.
std::u16string AppendPath(std::u16string_view path, std::u16string_view more);

// PathCanonicalizeW: "." and ".." steps folded; ".." never climbs above a root
// (a drive, a UNC server and share, an address's host).
std::u16string CanonicalizePath(std::u16string_view path);

// ExpandEnvironmentStringsW: each %NAME% of a defined variable becomes its
// value; anything else stays as written.
std::u16string ExpandEnvironment(std::u16string_view text);

// PathCompactPathExW, looked up at run time: `path` shortened with an ellipsis
// to at most maxUnits - 1 units (maxUnits counts the NUL, as the system does).
// False, with `path` unchanged, when the function is not available.
bool CompactPathForDisplay(std::u16string* path, std::int32_t maxUnits);

}  // namespace pathbook::platform
