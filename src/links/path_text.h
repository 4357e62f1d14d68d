// Path text helpers the whole program shares: separators, joining, expansion,
// file-name parts, long and short names, compacting for display. "\" is the
// separator; "/" is accepted wherever a separator is looked for. Results that
// pass through a system path buffer are at most 259 units (cut, never overrun).
#pragma once

#include <cstdint>

#include "runtime/string.h"

namespace pathbook {

// Whether `c` separates path components ("\" or "/").
inline bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// present false: drops one trailing separator. present true: appends "\" to a
// non-empty path that does not end in one. An empty path stays empty.
void SetTrailingSeparator(String& path, bool present);

// Keeps the path up to and including the first separator of its last run of
// separators: "C:\a\b" -> "C:\a\", "C:\a\" stays, a path without any becomes empty.
void RemoveLastComponent(String& path);

// Appends `more` by the shell's rules (PathAppendW then PathCanonicalizeW):
// "." and ".." folded, a leading separator of `more` stays inside `path`, an
// empty `path` gives `more`. An empty `more` leaves `path` as it is.
void JoinPath(String& path, const String& more);

// %NAME% variables expanded, then canonicalised; empty stays empty.
String ExpandPath(const String& path);

// The path shortened with an ellipsis to at most maxUnits - 1 units for display;
// unchanged when it fits or the system cannot compact.
String CompactPath(const String& path, std::int32_t maxUnits);

// Replaces the file-name part by the name as stored on disk (case, long form);
// leaves `path` alone when nothing is found.
void UseLongFileName(String& path);

// Replaces `path` by its short (8.3) form; leaves it alone when the system has none.
void ToShortPath(String& path);

// The text after the last separator (all of it when there is none).
String FileNamePart(const String& path);

// The text after the last "." of the file-name part; empty when it has none.
String FileExtension(const String& path);

// The file-name part without its last "." and extension; a name without "." whole.
String FileTitle(const String& path);

}  // namespace pathbook
