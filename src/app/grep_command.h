// The external grep program of the GrepExe setting, started for the document
// on show: its program resolved to a full path once, from places the user
// controls (never the current directory or the note's folder, where a planted
// "grep.exe" could wait), its placeholders expanded, and an explicit current
// directory. Tested by main_window_rules_test.cpp.
#pragma once

#include <vector>

#include "runtime/string.h"

namespace pathbook {

// What to start: the program file itself, its whole command line, and the
// new process's current directory.
struct ProgramStart {
    String program;      // a full path
    String commandLine;  // the program's path in quotes, then the arguments
    String folder;
};

// Scans `pattern` left to right: "%1" and "%D" become the document's folder
// (its path without the file name and the separator before it; for an
// untitled document `currentDirectory` with a trailing separator), "%F" the
// full path in double quotes (bare when the pattern puts a quote right
// before it), "%N" the file name; "%" before any other character is dropped
// and the character kept; a lone "%" at the end is dropped.
String ExpandGrepCommand(const String& pattern, const String& documentPath, const String& currentDirectory);

// Where a program named without a folder is looked for: the program's own
// folder, the system folder, the Windows folder, then each full path PATH lists.
std::vector<String> ProgramSearchFolders();

// The program `name` as a full path: a full path ("C:\...", "\\server\...")
// as it stands, a name with a folder in the first of `searchFolders`, a bare
// name in each of them in order; each as written and, when it has no type,
// with ".exe". Empty when no such file exists.
String FindProgram(const String& name, const std::vector<String>& searchFolders);

// The start for the GrepExe `setting`: its first word (quoted, or up to the
// first space) is the program, found with FindProgram; the rest are the
// arguments, expanded for `documentPath` (empty: untitled). The process starts
// in `documentFolder`. False when the setting is empty or its program is not found.
bool PrepareGrep(const String& setting, const String& documentPath, const String& documentFolder,
                 const std::vector<String>& searchFolders, ProgramStart* start);

}  // namespace pathbook
