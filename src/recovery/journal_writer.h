// The thread that does every write to a process's journals, so that no edit
// and no flush waits for the disk.
// Tested by journal_recorder_test.cpp and journal_folder_test.cpp.
//
// A recorder collects frames in its journal's JournalState, moves them to the
// requests when it flushes (with a rewrite, a copy of the base file or a
// removal, if it wants one) and schedules the state; the
// writer takes the requests out and carries them out in that order: removal
// voids everything else, then a rewrite, then the frames. Appending seals the
// frames (journal_format.h) against the journal's running checksum and writes
// them: from then on they survive the process. The sync that makes them
// survive the system too comes at once after a quiet second, else a second
// after the last one, so that a fast stream of edits costs one sync a second. A rewrite writes the header, the opening frames (a snapshot, or
// none) and the queued frames to the .compact file and renames it over the
// journal, so that a journal on disk is always whole up to its last frame.
// A base copy runs in steps of a few megabytes between other requests, so a
// 100 MB copy never holds back another journal's frames for long.
//
// Locks: a state's writeMutex guards its file and running checksum, its
// queueMutex the requests; whoever takes both takes writeMutex first. The
// recorder takes queueMutex only when it flushes, never for an edit.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/append_file.h"
#include "recovery/journal_format.h"
#include "recovery/journal_names.h"

namespace pathbook {

struct JournalState {
    // Room for a few thousand typed frames in each buffer, so that typing
    // seldom grows one (the three trade places, keeping what they have).
    static constexpr std::size_t kBufferBytes = std::size_t{64} << 10;

    explicit JournalState(JournalPaths paths) : paths(std::move(paths)) {
        pending.reserve(kBufferBytes);
        frames.reserve(kBufferBytes);
        writing.reserve(kBufferBytes);
    }

    const JournalPaths paths;

    // Frames not yet handed over, checksums open: the recording thread's alone.
    journal::Bytes pending;

    // Requests, guarded by queueMutex.
    std::mutex queueMutex;
    journal::Bytes frames;  // frames to append, checksums still open
    bool rewrite = false;   // write anew: rewriteHeader (sealed), rewriteStart, then frames
    journal::Bytes rewriteHeader;
    journal::Bytes rewriteStart;  // checksums open; a snapshot makes the base copy useless
    bool copyBase = false;        // copy `base` beside the journal
    JournalBase base;
    bool remove = false;  // delete the journal and its files; voids every other request

    // The writer's side, guarded by writeMutex.
    std::mutex writeMutex;
    platform::AppendFile file;  // open while the journal is on disk and whole
    journal::Checksum chain;    // the last frame's on disk
    journal::Bytes writing;     // the frames being written, swapped with `frames`
    bool unsynced = false;      // frames were written since the last sync
    std::chrono::steady_clock::time_point syncedAt;

    // What the writer reports back to the recorder.
    std::atomic<bool> failed{false};      // a write failed: the journal lacks frames until rewritten
    std::atomic<bool> copyFailed{false};  // the base file changed before it was copied
};

class JournalWriter {
public:
    JournalWriter();
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // `state` has requests; the writer gets to them soon.
    void Schedule(const std::shared_ptr<JournalState>& state);
    // Waits until every request scheduled so far is carried out and synced,
    // base copies included.
    void WaitUntilWritten();
    // Carries out every request scheduled so far, base copies included, then
    // ends the thread. Later requests are never carried out.
    void Stop();

    // Writes the frames queued in `state`, handed over or pending, at once on
    // the recording thread, allocating nothing: the last resort when memory
    // has run out. False when they cannot be written so: the journal is not on
    // disk yet, or waits for a rewrite.
    static bool WriteQueuedNow(JournalState& state);

private:
    struct BaseCopy;

    void Run();
    void Service(const std::shared_ptr<JournalState>& state);
    // One step of the oldest copy; finished copies leave the list.
    void CopyStep();
    void CancelCopy(const JournalState& state);
    // Remembers `state` for a later sync if it has frames not yet synced.
    void NoteUnsynced(const std::shared_ptr<JournalState>& state);
    // Syncs the journals whose sync is due (all with `all`); returns when the
    // next one falls due.
    std::chrono::steady_clock::time_point SyncDue(bool all);
    bool Idle() const { return ready_.empty() && !busy_ && copyCount_ == 0 && unsyncedCount_ == 0; }

    std::mutex mutex_;  // guards the fields up to idle_
    std::deque<std::shared_ptr<JournalState>> ready_;  // each state at most once
    bool busy_ = false;             // a request, copy step or sync is being carried out
    std::size_t copyCount_ = 0;     // copies_.size() after the last step
    std::size_t unsyncedCount_ = 0; // unsynced_.size() after the last step
    std::chrono::steady_clock::time_point nextSync_ = std::chrono::steady_clock::time_point::max();
    bool syncNow_ = false;          // someone waits for everything to be synced
    bool stopping_ = false;
    std::condition_variable wake_;
    std::condition_variable idle_;
    // The writer thread's alone.
    std::deque<std::unique_ptr<BaseCopy>> copies_;
    std::vector<std::shared_ptr<JournalState>> unsynced_;
    std::thread thread_;  // last: starts once the rest is built
};

}  // namespace pathbook
