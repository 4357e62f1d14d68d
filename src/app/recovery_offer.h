// What the restore dialog shows for each note a crash left unsaved, and what
// becomes of the notes the user restores: the first may take the window that
// is starting, the others each get a new process. Tested by session_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "recovery/recovered_journal.h"
#include "runtime/string.h"

namespace pathbook {

// The dialog's words, in the interface's language.
struct RecoveryWords {
    String untitled;     // the name of a note that never had a file
    String linesFormat;  // "%d lines"
    String changed;      // the file changed on disk since
    String missing;      // the file is gone
};

// "name<TAB>time<TAB>N lines" and, when the file is no longer as the note's
// edits left it, "<TAB>" and what happened to it. `timeText` is when the
// journal was last written, as the window formats it.
String RecoveryRow(const RecoveredJournal& journal, const String& timeText, const RecoveryWords& words);

// The arguments that hand the journal at `journalPath` to a new process.
String RecoveryArguments(const std::u16string& journalPath);

}  // namespace pathbook
