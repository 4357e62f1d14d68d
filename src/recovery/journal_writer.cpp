#include "recovery/journal_writer.h"

#include <algorithm>

#include "platform/file_stamp.h"
#include "platform/file_system.h"
#include "platform/stepwise_copy.h"

namespace pathbook {
namespace {

// A step of a base copy: long enough to cost little per byte, short enough
// that frames queued meanwhile wait only a few milliseconds.
constexpr std::size_t kCopyStepBytes = std::size_t{4} << 20;

bool AppendAll(platform::AppendFile& file, const journal::Bytes& bytes) {
    return bytes.empty() || file.Append(bytes.data(), bytes.size());
}

using Clock = std::chrono::steady_clock;

constexpr Clock::duration kSyncInterval = std::chrono::seconds(1);

// Syncs the journal of `state` if it has frames not yet synced and either
// `now` or its last sync is kSyncInterval old; false while it must wait.
// writeMutex held.
bool SyncIfDue(JournalState& state, bool now) {
    if (!state.unsynced) return true;
    Clock::time_point time = Clock::now();
    if (!now && time - state.syncedAt < kSyncInterval) return false;
    if (!state.file.Sync()) state.failed = true;  // the disk may not hold them
    state.unsynced = false;
    state.syncedAt = time;
    return true;
}

// Seals, appends and (when due) syncs `frames` to the open journal of
// `state`; writeMutex held.
void AppendFrames(JournalState& state, journal::Bytes& frames) {
    if (frames.empty()) return;
    if (!state.file.IsOpen() || state.failed) {
        state.failed = true;  // frames are missing from here on, until a rewrite
        return;
    }
    journal::Checksum chain = journal::Seal(frames.data(), frames.size(), state.chain);
    if (!state.file.Append(frames.data(), frames.size())) {
        state.failed = true;
        return;
    }
    state.chain = chain;
    state.unsynced = true;
    SyncIfDue(state, false);
}

// Writes header, opening frames and the queued frames to the .compact file
// and renames it over the journal; writeMutex held.
bool Rewrite(JournalState& state, const journal::Bytes& header, journal::Bytes& start) {
    state.file.Close();
    const JournalPaths& paths = state.paths;
    journal::Checksum chain = journal::Seal(start.data(), start.size(), journal::HeaderChecksum(header));
    chain = journal::Seal(state.writing.data(), state.writing.size(), chain);
    platform::AppendFile out;
    bool written = out.Create(paths.rewrite.c_str()) && AppendAll(out, header) && AppendAll(out, start) &&
                   AppendAll(out, state.writing) && out.Sync();
    out.Close();
    if (!written || !platform::MoveFileReplacing(paths.rewrite.c_str(), paths.journal.c_str())) {
        platform::RemoveFile(paths.rewrite.c_str());
        state.failed = true;
        return false;
    }
    std::uint64_t size = header.size() + start.size() + state.writing.size();
    if (!state.file.OpenAt(paths.journal.c_str(), size)) {
        state.failed = true;
        return false;
    }
    state.chain = chain;
    state.failed = false;
    state.unsynced = false;
    state.syncedAt = Clock::now();
    return true;
}

void RemoveFiles(const JournalPaths& paths) {
    platform::RemoveFile(paths.journal.c_str());
    platform::RemoveFile(paths.copy.c_str());
    platform::RemoveFile(paths.rewrite.c_str());
}

}  // namespace

struct JournalWriter::BaseCopy {
    std::shared_ptr<JournalState> state;
    JournalBase base;
    platform::StepwiseCopy copy;
    bool started = false;
};

JournalWriter::JournalWriter() : thread_([this] { Run(); }) {}

JournalWriter::~JournalWriter() { Stop(); }

void JournalWriter::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void JournalWriter::Schedule(const std::shared_ptr<JournalState>& state) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::find(ready_.begin(), ready_.end(), state) == ready_.end()) ready_.push_back(state);
    }
    wake_.notify_one();
}

void JournalWriter::WaitUntilWritten() {
    std::unique_lock<std::mutex> lock(mutex_);
    syncNow_ = true;
    wake_.notify_all();
    idle_.wait(lock, [this] { return Idle(); });
}

// Requests first; copy steps only while none wait; syncs when they fall due.
void JournalWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    auto work = [this] { return stopping_ || syncNow_ || !ready_.empty() || copyCount_ > 0; };
    for (;;) {
        if (nextSync_ == Clock::time_point::max()) {
            wake_.wait(lock, work);
        } else {
            wake_.wait_until(lock, nextSync_, work);
        }
        std::shared_ptr<JournalState> state;
        if (!ready_.empty()) {
            state = std::move(ready_.front());
            ready_.pop_front();
        }
        bool copy = state == nullptr && copyCount_ > 0;
        bool syncAll = stopping_ || syncNow_;
        busy_ = true;
        lock.unlock();
        if (state != nullptr) {
            Service(state);
            NoteUnsynced(state);
            state.reset();
        } else if (copy) {
            CopyStep();
        }
        Clock::time_point next = SyncDue(syncAll);
        lock.lock();
        busy_ = false;
        copyCount_ = copies_.size();
        unsyncedCount_ = unsynced_.size();
        nextSync_ = next;
        if (unsyncedCount_ == 0 && ready_.empty() && copyCount_ == 0) syncNow_ = false;
        if (Idle()) {
            idle_.notify_all();
            if (stopping_) return;
        }
    }
}

void JournalWriter::NoteUnsynced(const std::shared_ptr<JournalState>& state) {
    bool unsynced = false;
    {
        std::lock_guard<std::mutex> writeLock(state->writeMutex);
        unsynced = state->unsynced;
    }
    if (unsynced && std::find(unsynced_.begin(), unsynced_.end(), state) == unsynced_.end()) {
        unsynced_.push_back(state);
    }
}

Clock::time_point JournalWriter::SyncDue(bool all) {
    Clock::time_point next = Clock::time_point::max();
    for (std::size_t i = unsynced_.size(); i-- > 0;) {
        // Held here: leaving the list may be the state's end, which must not
        // come while its lock is held.
        std::shared_ptr<JournalState> state = unsynced_[i];
        bool synced = false;
        {
            std::lock_guard<std::mutex> writeLock(state->writeMutex);
            synced = SyncIfDue(*state, all);
            if (!synced) next = std::min(next, state->syncedAt + kSyncInterval);
        }
        if (synced) unsynced_.erase(unsynced_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return next;
}

void JournalWriter::Service(const std::shared_ptr<JournalState>& state) {
    std::lock_guard<std::mutex> writeLock(state->writeMutex);
    bool remove = false;
    bool rewrite = false;
    bool copy = false;
    journal::Bytes header;
    journal::Bytes start;
    JournalBase base;
    {
        std::lock_guard<std::mutex> queueLock(state->queueMutex);
        remove = state->remove;
        if (remove) {
            state->frames.clear();
            state->rewrite = false;
            state->copyBase = false;
        }
        rewrite = state->rewrite;
        state->rewrite = false;
        header.swap(state->rewriteHeader);
        start.swap(state->rewriteStart);
        copy = state->copyBase;
        state->copyBase = false;
        if (copy) base = state->base;
        state->writing.swap(state->frames);
    }
    if (remove) {
        CancelCopy(*state);
        state->file.Close();
        RemoveFiles(state->paths);
        return;
    }
    bool rewritten = rewrite && Rewrite(*state, header, start);
    if (!rewrite) AppendFrames(*state, state->writing);
    state->writing.clear();
    // A journal that opens with a snapshot no longer needs the base's bytes.
    if (rewritten && !start.empty()) {
        CancelCopy(*state);
        platform::RemoveFile(state->paths.copy.c_str());
    }
    if (copy && (!rewrite || rewritten)) {
        auto job = std::make_unique<BaseCopy>();
        job->state = state;
        job->base = std::move(base);
        copies_.push_back(std::move(job));
    }
}

void JournalWriter::CancelCopy(const JournalState& state) {
    copies_.erase(std::remove_if(copies_.begin(), copies_.end(),
                                 [&](const std::unique_ptr<BaseCopy>& job) { return job->state.get() == &state; }),
                  copies_.end());
}

// The copy is good only if the base file shows the stamp it had when its text
// was taken, both before and after: then these are the bytes the edits start from.
void JournalWriter::CopyStep() {
    BaseCopy& job = *copies_.front();
    JournalState& state = *job.state;
    const char16_t* source = job.base.path.c_str();
    bool good = true;
    if (!job.started) {
        job.started = true;
        good = platform::QueryFileStamp(source) == job.base.stamp &&
               job.copy.Open(source, state.paths.copy.c_str());
    }
    good = good && job.copy.Step(kCopyStepBytes);
    if (good && !job.copy.Done()) {
        copies_.push_back(std::move(copies_.front()));
        copies_.pop_front();
        return;
    }
    good = good && job.copy.Finish() && platform::QueryFileStamp(source) == job.base.stamp;
    if (good) {
        journal::Bytes frame;
        journal::PutBaseCopiedFrame(frame, job.copy.Copied());
        {
            std::lock_guard<std::mutex> writeLock(state.writeMutex);
            AppendFrames(state, frame);
        }
        NoteUnsynced(job.state);
    } else {
        job.copy.Close();
        platform::RemoveFile(state.paths.copy.c_str());
        state.copyFailed = true;
    }
    copies_.pop_front();
}

bool JournalWriter::WriteQueuedNow(JournalState& state) {
    std::lock_guard<std::mutex> writeLock(state.writeMutex);
    std::lock_guard<std::mutex> queueLock(state.queueMutex);
    if (state.remove || (state.frames.empty() && state.pending.empty())) return true;
    if (state.rewrite || !state.file.IsOpen() || state.failed) return false;
    for (journal::Bytes* frames : {&state.frames, &state.pending}) {
        journal::Checksum chain = journal::Seal(frames->data(), frames->size(), state.chain);
        if (!state.file.Append(frames->data(), frames->size())) return false;
        state.chain = chain;
        frames->clear();
    }
    state.unsynced = true;
    SyncIfDue(state, true);
    return true;
}

}  // namespace pathbook
