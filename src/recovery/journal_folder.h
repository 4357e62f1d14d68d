// The process's share of the recovery folder: its owner name, held while it
// lives; the writer thread of its journals; and the claiming of journals
// whose owners are gone.
// Tested by journal_folder_test.cpp.
//
// Ownership (names in journal_names.h): a process holds "<owner>.owner" as an
// OwnedFile for its whole life, and its journals carry the same owner name.
// A journal is an orphan when its owner file can be claimed (the process that
// held it ended, however it ended) or is missing. ClaimOrphans takes each
// orphan over by renaming it to this process's owner name: a rename happens
// once, so two instances starting together never both get the same journal,
// and while one holds a dead owner's file the other leaves that owner alone.
// A claimed journal is this process's from then on; when this process ends
// with it still there, it is an orphan again for the next start.
//
// Every call comes from the one thread that edits (the UI thread); only the
// writer works beside it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/owned_file.h"
#include "recovery/journal_names.h"
#include "recovery/journal_writer.h"
#include "recovery/recovered_journal.h"

namespace pathbook {

class JournalRecorder;

// <the program's local data folder>\Recovery; empty when there is none.
std::u16string DefaultRecoveryFolder();

class JournalFolder {
public:
    // Makes `folder` if needed, takes an owner name in it and starts the writer.
    explicit JournalFolder(std::u16string folder);
    // Writes everything queued, ends the writer and gives up the owner name;
    // journals still in the folder are orphans for the next start.
    ~JournalFolder();
    JournalFolder(const JournalFolder&) = delete;
    JournalFolder& operator=(const JournalFolder&) = delete;

    // False when the folder cannot be used; recorders then keep nothing.
    bool IsOpen() const { return owner_.IsOpen(); }
    const std::u16string& Path() const { return folder_; }
    const std::u16string& OwnerName() const { return ownerName_; }

    // Takes over every orphan and returns those with something to restore,
    // in no particular order; unreadable or empty ones are deleted.
    std::vector<RecoveredJournal> ClaimOrphans();
    // Takes over the journal at `journalPath`, which another instance of the
    // program handed over; false when it is gone or has nothing to restore.
    bool TakeOver(const std::u16string& journalPath, RecoveredJournal* journal);
    // Deletes a claimed journal and its copy of the base file.
    void Remove(const RecoveredJournal& journal);

    // Waits until every frame handed to the writer so far is on disk.
    void WaitUntilWritten() { writer_.WaitUntilWritten(); }
    // The last resort when memory has run out: writes every journal's queued
    // frames on this thread, allocating nothing. False when some could not be
    // written (a journal not yet on disk, or waiting to be rewritten).
    bool WriteQueuedWithoutAllocating();

private:
    friend class JournalRecorder;

    // A new journal's state; nothing is on disk until its first rewrite.
    std::shared_ptr<JournalState> NewJournal();
    // The state of a claimed journal, open for appending after its good frames.
    std::shared_ptr<JournalState> ContinueJournal(const RecoveredJournal& journal);
    // `journal` is no longer a recorder's: the last resort leaves it alone.
    void Forget(const std::shared_ptr<JournalState>& journal);
    JournalHeader HeaderFor(const DocumentIdentity& identity, const JournalBase& base) const;
    JournalWriter& Writer() { return writer_; }

    // The paths of this process's next journal.
    JournalPaths FreshPaths();
    // Renames the journal named `name` (and its base copy) to a new serial of
    // ours; false when someone else got it first.
    bool Rename(const JournalFileName& name, JournalPaths* ours);

    std::u16string folder_;
    std::u16string ownerName_;
    std::uint32_t ownerProcess_;
    std::u16string hostName_;
    platform::OwnedFile owner_;
    std::uint32_t lastSerial_ = 0;
    std::vector<std::shared_ptr<JournalState>> live_;  // the recorders' journals
    JournalWriter writer_;  // last: it ends, writing what is queued, before the rest goes
};

}  // namespace pathbook
