// The command line of the external grep program, from the GrepExe setting and
// the document on show. Tested by main_window_rules_test.cpp.
#pragma once

#include "runtime/string.h"

namespace pathbook {

// Scans `pattern` left to right: "%1" and "%D" become the document's folder
// (its path without the file name and the separator before it; for an
// untitled document `currentDirectory` with a trailing separator), "%F" the
// full path, "%N" the file name; "%" before any other character is dropped and
// the character kept; a lone "%" at the end is dropped.
String ExpandGrepCommand(const String& pattern, const String& documentPath, const String& currentDirectory);

}  // namespace pathbook
