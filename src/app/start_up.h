// What a starting process does with its command line, decided without the
// window system: the options, a path re-joined where the command line split it
// at spaces, whether to hand off to running instances and end, which surplus
// files go to a new process, and which document the window starts with.
#pragma once

#include <cstdint>

#include "app/command_line.h"
#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

struct StartOptions {
    CharsetId charset = charset::kAutoDetect;  // -cN; a number that is no encoding of the table detects
    std::int32_t line = -1;                    // -lN; -1 = no jump
    bool newInstance = false;                  // -n
    bool recover = false;                      // -r: `file` is a recovery journal handed over
    String file;
};

// A document with the encoding to open it in.
struct StartDocument {
    String path;  // empty: a new, untitled document
    CharsetId charset = charset::kAutoDetect;
};

// The operations start-up needs from the system, the settings and the other
// instances. Tests supply their own.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    // GetFileAttributesW: the bits, or 0xFFFFFFFF when nothing is there.
    virtual std::uint32_t FileAttributes(const char16_t* path) = 0;
    // Restores and raises every running main window; false when there is none.
    virtual bool RaiseRunningInstances() = 0;
    // Starts a new process of the program with `arguments` after its own path.
    virtual void LaunchInstance(const String& arguments) = 0;
    // The most recent history entry and the home page; empty paths when unset.
    virtual StartDocument MostRecentHistoryEntry() = 0;
    virtual StartDocument HomePage() = 0;
    // The program's own full path.
    virtual String ProgramPath() = 0;
};

// The outcome of start-up.
struct StartPlan {
    bool openWindow = false;  // false: end with exit code 0, no window
    // No file and no -n: ChooseStartDocument picks the document once the
    // settings and favourites have been read.
    bool chooseDocument = false;
    StartDocument document;
    std::int32_t line = -1;
    // The document is the unsaved text of a recovery journal at document.path,
    // which the instance that claimed it handed to this one.
    bool recover = false;
};

// Reads the options from argument 1 on and the file argument after them,
// re-joining a path split at spaces. `fileIndex` receives the index of the last
// argument that went into the file (Count() when there is no file).
StartOptions ParseStartOptions(const ArgList& args, StartupHost& host, std::size_t* fileIndex);

// The arguments after `fileIndex`, each as "\"arg\" " (so the text ends with a space).
String SurplusArguments(const ArgList& args, std::size_t fileIndex);

// With no file and no -n: the latest history entry, the home page, or
// README.txt beside the program (as Shift_JIS), the first that exists.
StartDocument ChooseStartDocument(StartupHost& host);

// Runs the start-up decisions in order: options, hand-off, surplus files, and
// whether the first document is to be chosen.
StartPlan PlanStart(const ArgList& args, StartupHost& host);

}  // namespace pathbook
