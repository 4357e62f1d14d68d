// The restore dialog (113): the notes a crash left unsaved, each with its name
// (or "untitled"), when it was last written, its size, and whether its file
// changed since. Restore (the default, Enter) brings them all back, Discard
// throws them away, Later (Escape) keeps them for the next start.
#pragma once

#include <vector>

#include "framework/dialog.h"
#include "recovery/recovered_journal.h"

namespace pathbook {

enum class RestoreAnswer { kRestore, kDiscard, kLater };

// Runs the dialog over `owner` for `journals` (not empty).
RestoreAnswer AskToRestore(HWND owner, const std::vector<RecoveredJournal>& journals);

}  // namespace pathbook
