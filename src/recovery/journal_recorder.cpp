#include "recovery/journal_recorder.h"

#include <algorithm>

#include "platform/file_stamp.h"

namespace pathbook {
namespace {

// Below this the frames are left to grow: rewriting costs more than replaying them.
constexpr std::uint64_t kCompactionFloorBytes = std::uint64_t{1} << 20;

// Frames the writer has not taken yet stay in front of the new ones.
void MovePending(JournalState& journal) {
    if (journal.frames.empty()) {
        journal.frames.swap(journal.pending);
    } else {
        journal.frames.insert(journal.frames.end(), journal.pending.begin(), journal.pending.end());
    }
    journal.pending.clear();
}

}  // namespace

JournalRecorder::JournalRecorder(JournalFolder& folder, Document& document)
    : folder_(folder), document_(document), baseHoldsSaved_(DocumentEmpty()) {
    document_.AddListener(this);
}

JournalRecorder::~JournalRecorder() {
    document_.RemoveListener(this);
    Flush();
    if (journal_ != nullptr) folder_.Forget(journal_);
}

template <typename Request>
void JournalRecorder::Queue(Request request) {
    std::lock_guard<std::mutex> lock(journal_->queueMutex);
    request(*journal_);
}

void JournalRecorder::Rebase(const DocumentIdentity& identity) {
    DropJournal();
    identity_ = identity;
    base_ = JournalBase();
    if (!identity.path.empty()) {
        base_.path = identity.path;
        base_.charset = identity.charset;
        base_.stamp = platform::QueryFileStamp(identity.path.c_str());
    }
    baseHoldsSaved_ = base_.path.empty() ? DocumentEmpty() : base_.stamp.exists;
    startUnknown_ = document_.IsModified();
    knownTextBytes_ = base_.stamp.size;
}

void JournalRecorder::Rename(const DocumentIdentity& identity) {
    identity_ = identity;
    if (!created_) return;  // the journal's header will name it
    journal::PutIdentityFrame(journal_->pending, identity_);
    openFrame_ = kNoOpenFrame;
    ++unflushedUnits_;
}

void JournalRecorder::Discard() {
    DropJournal();
    startUnknown_ = document_.IsModified();
}

// The journal's text is the document's now. It keeps relying on the base file
// only when that file was found as it was; edits replayed over something else
// are made safe with a snapshot.
void JournalRecorder::Adopt(const RecoveredJournal& journal) {
    DropJournal();
    const JournalContents& contents = journal.Contents();
    identity_ = journal.Identity();
    base_ = contents.header.base;
    BaseFileState state = journal.BaseState();
    bool fromBase = !contents.fromSnapshot && journal.StartFound();
    baseHoldsSaved_ = fromBase && (state == BaseFileState::kUnchanged || state == BaseFileState::kNone);
    startUnknown_ = false;
    journal_ = folder_.ContinueJournal(journal);
    created_ = true;
    snapshotDue_ = !journal.StartFound();
    frameBytes_ = contents.framesSinceStart;
    knownTextBytes_ = base_.stamp.size;
    if (fromBase && state == BaseFileState::kUnchanged && !contents.baseCopied) {
        Queue([&](JournalState& recorded) {
            recorded.copyBase = true;
            recorded.base = base_;
        });
        folder_.Writer().Schedule(journal_);
    }
}

void JournalRecorder::Flush() { HandOver(true); }

void JournalRecorder::FlushAndWait() {
    Flush();
    folder_.WaitUntilWritten();
}

void JournalRecorder::HandOver(bool whole) {
    if (journal_ == nullptr) {
        unflushedUnits_ = 0;
        return;
    }
    NoteWriterReports();
    bool snapshot = created_ ? snapshotDue_ : startUnknown_ || !baseHoldsSaved_;
    if (whole && created_ && !snapshot && CompactionDue()) snapshot = true;
    if (snapshot && !whole) return;
    if (!created_ || snapshot) {
        RequestRewrite(snapshot);
    } else if (unflushedUnits_ == 0) {
        return;
    } else {
        Queue([](JournalState& journal) { MovePending(journal); });
    }
    if (journal_ != nullptr) folder_.Writer().Schedule(journal_);
    unflushedUnits_ = 0;
    openFrame_ = kNoOpenFrame;
}

void JournalRecorder::NoteWriterReports() {
    if (journal_->copyFailed.exchange(false)) {
        // The file changed on disk before its bytes were copied.
        baseHoldsSaved_ = false;
        snapshotDue_ = true;
    }
    if (journal_->failed) snapshotDue_ = true;
}

void JournalRecorder::RequestRewrite(bool snapshot) {
    journal::Bytes header;
    journal::PutHeader(header, folder_.HeaderFor(identity_, base_));
    journal::Bytes start;
    if (snapshot && !journal::PutSnapshotFrame(start, document_)) {
        // Too large for any frame: nothing can be kept for this text.
        DropJournal();
        startUnknown_ = true;
        return;
    }
    bool copyBase = !snapshot && !created_ && !base_.path.empty();
    std::uint64_t startBytes = start.size();
    Queue([&](JournalState& journal) {
        journal.rewrite = true;
        journal.rewriteHeader.swap(header);
        journal.rewriteStart.swap(start);
        if (snapshot) {
            journal.frames.clear();  // the snapshot holds what they did
            journal.pending.clear();
        }
        MovePending(journal);
        if (copyBase) {
            journal.copyBase = true;
            journal.base = base_;
        }
    });
    journal_->failed = false;
    created_ = true;
    snapshotDue_ = false;
    if (snapshot) {
        frameBytes_ = startBytes;
        knownTextBytes_ = startBytes;
    }
}

// Measuring the text walks every line, so it is done only once the frames have
// doubled since the last measure: the cost stays in proportion to the frames.
bool JournalRecorder::CompactionDue() {
    if (frameBytes_ <= std::max(kCompactionFloorBytes, 2 * knownTextBytes_)) return false;
    knownTextBytes_ = journal::kFrameHeaderBytes + journal::kEditFieldsBytes +
                      2 * document_.RangeLength(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    return frameBytes_ > 2 * knownTextBytes_;
}

void JournalRecorder::DropJournal() {
    if (journal_ != nullptr) {
        journal_->pending.clear();
        Queue([](JournalState& journal) {
            journal.remove = true;
            journal.frames.clear();
        });
        folder_.Writer().Schedule(journal_);
        folder_.Forget(journal_);
        journal_.reset();
    }
    created_ = false;
    snapshotDue_ = false;
    unflushedUnits_ = 0;
    frameBytes_ = 0;
    openFrame_ = kNoOpenFrame;
}

bool JournalRecorder::DocumentEmpty() const { return document_.LineCount() == 1 && document_.LineLength(0) == 0; }

// While the next flush will snapshot the whole text anyway, edits are only counted.
void JournalRecorder::OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) {
    if (!byCommand) {
        // Loaded from elsewhere: until Rebase, nothing says what this text is.
        DropJournal();
        baseHoldsSaved_ = false;
        return;
    }
    if (!folder_.IsOpen()) return;
    if (journal_ == nullptr) journal_ = folder_.NewJournal();
    bool snapshotComing = created_ ? snapshotDue_ : startUnknown_ || !baseHoldsSaved_;
    TextSize units = 0;
    if (snapshotComing) {
        units = document_.RangeLength(start, newEnd);
    } else {
        journal::Bytes& pending = journal_->pending;
        std::size_t before = pending.size();
        bool typedOn = openFrame_ != kNoOpenFrame && pending.size() == openPendingBytes_ && start == oldEnd &&
                       start == openEnd_;
        if (typedOn && journal::ExtendEditFrame(pending, openFrame_, document_, start, newEnd, &units)) {
            openEnd_ = newEnd;
        } else if (journal::PutEditFrame(pending, document_, start, oldEnd, newEnd, &units)) {
            openFrame_ = before;
            openEnd_ = newEnd;
        } else {
            openFrame_ = kNoOpenFrame;
            snapshotDue_ = true;
        }
        frameBytes_ += pending.size() - before;
        openPendingBytes_ = pending.size();
    }
    unflushedUnits_ += static_cast<std::uint32_t>(std::clamp<TextSize>(units, 1, kFlushAfterUnits));
    if (unflushedUnits_ >= kFlushAfterUnits) HandOver(false);
}

void JournalRecorder::OnDirtyFlagChange(bool modified) {
    if (modified) return;
    // Back at the saved state: the journal has nothing left to keep.
    DropJournal();
    startUnknown_ = false;
}

}  // namespace pathbook
