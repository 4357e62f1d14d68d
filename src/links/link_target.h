// Where an activated link leads and what opening it would do, decided before
// anything reaches the shell. A web address is taken as written: only http,
// https, ftp and mailto qualify, and no environment variable is expanded
// inside one (a link must not send %USERNAME% to a host). Every other link
// must end up as a full path, a drive path ("C:\...") or a share
// ("\\server\share\..."), once joined to its base, expanded and
// canonicalised. A relative result, a device ("\\.\", "\\?\"), a file stream
// (a ":" past the drive), a wildcard or any other scheme is refused, and so is
// a target that does not exist (the shell would go looking for a program of
// that name). Tested by link_target_test.cpp.
#pragma once

#include "runtime/string.h"

namespace pathbook {

enum class TargetType {
    kWeb,       // an http, https, ftp or mailto address
    kFolder,    // an existing folder
    kDocument,  // an existing file the shell opens with the program of its type
    kProgram,   // an existing file whose opening runs code (RunsWhenOpened): ask first
    kRefused,   // never handed to the shell
};

struct LinkTarget {
    TargetType type = TargetType::kRefused;
    bool share = false;  // a UNC path: the file lies on another machine
    String path;         // the address or full path the shell would be given
};

// The text `linkText` names against `baseFolder` (which may be empty): a web
// address joined to its base only, any other link joined, with its
// environment variables expanded, and canonicalised. At most 259 units.
String ResolveLinkText(const String& baseFolder, const String& linkText);

// The resolved and classified target of an activated link.
LinkTarget ResolveLinkTarget(const String& baseFolder, const String& linkText);

// Whether opening the file `path` runs code: its type (the text after the
// last "." of its name, once trailing dots and spaces are dropped as the file
// system drops them, compared without case) is a program, script, installer,
// shortcut or system-change type of the program's own list, one that PATHEXT
// lists, or one the system calls unsafe. A name without a type does not run.
bool RunsWhenOpened(const String& path);

}  // namespace pathbook
