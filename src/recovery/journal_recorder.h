// Records one document's unsaved changes in a journal, so that a crash loses
// at most the last second of typing or the last 200 units typed.
// Tested by journal_recorder_test.cpp.
//
// Each change the document reports becomes an edit frame at once: its
// positions and the new text, copied from the document (a keystroke copies a
// unit, never the document), queued in memory. Typing on where the last
// queued frame's text ends grows that frame instead: a typed unit costs two
// bytes, not a frame. Flush hands the queue to the
// folder's writer thread, which appends it; the recorder flushes by itself
// after 200 units, and the window calls Flush from a timer at least once a
// second and at the end of a session.
//
// The text before the first edit (the base): an untitled note starts empty;
// a named note's edits start from its file as it was loaded or saved, and the
// writer copies that file's bytes beside the journal off the UI thread, once
// per journal. The file is read again at restore time when it is unchanged,
// and the copy serves when it changed or vanished, so the edits are always
// replayed on the bytes they were made on. A text with no such base (loaded
// without Rebase, or a base file that changed before it could be copied)
// makes the journal open with a snapshot of the whole text instead. Only the
// first journal of a document copies or snapshots it; edits cost their own
// size. When the frames grow past twice the text's size (and 1 MiB), the
// journal is compacted: rewritten as one snapshot, renamed over the old one.
//
// The window says what the text is: Rebase after every load and save (the
// journal goes: nothing is unsaved), Rename when the path, encoding or line
// end change without a save, Discard when the unsaved text is not wanted,
// Adopt after restoring a claimed journal. A document that becomes unmodified
// (undone back to its saved state) drops its journal by itself.
#pragma once

#include <cstdint>
#include <memory>

#include "document/doc_listener.h"
#include "document/document.h"
#include "recovery/journal_folder.h"
#include "recovery/journal_format.h"

namespace pathbook {

class JournalRecorder final : public DocListener {
public:
    // How many units typed (a deletion counts one) make the recorder flush by itself.
    static constexpr std::uint32_t kFlushAfterUnits = 200;

    // Listens to `document`; both outlive the recorder. Until Rebase, a
    // document that is not empty counts as a text of unknown origin.
    JournalRecorder(JournalFolder& folder, Document& document);
    // Flushes and stops listening; the journal stays for the window to Discard
    // or for the next start to restore.
    ~JournalRecorder() override;
    JournalRecorder(const JournalRecorder&) = delete;
    JournalRecorder& operator=(const JournalRecorder&) = delete;

    // The text is now what `identity.path` holds on disk (just loaded or
    // saved), or for an empty path a new, empty untitled note. Drops the journal.
    void Rebase(const DocumentIdentity& identity);
    // The document will be saved as `identity` says; its text stays unsaved.
    void Rename(const DocumentIdentity& identity);
    // The unsaved text is not wanted (No at the save prompt, closing): drops
    // the journal. Later changes start a new one.
    void Discard();
    // Continues `journal`, whose edits ReplayEdits has just restored into the
    // document, instead of starting a new one.
    void Adopt(const RecoveredJournal& journal);

    // Hands the queued frames to the writer; cheap, returns at once.
    void Flush();
    // Flush, then wait until the frames are on disk (the end of a session).
    void FlushAndWait();

    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) override;
    void OnDirtyFlagChange(bool modified) override;

private:
    // The journal's requests, under its queue lock.
    template <typename Request>
    void Queue(Request request);
    void DropJournal();
    // Flush; with `whole` false (from inside an edit) a flush that would copy
    // the whole text (a snapshot, a compaction) waits for the next Flush.
    void HandOver(bool whole);
    // Takes in what the writer reported: a failed write or base copy.
    void NoteWriterReports();
    // Asks for the journal to be written anew: the header, then a snapshot
    // when `snapshot`, then what is queued.
    void RequestRewrite(bool snapshot);
    bool CompactionDue();
    bool DocumentEmpty() const;

    JournalFolder& folder_;
    Document& document_;
    DocumentIdentity identity_;
    JournalBase base_;
    std::shared_ptr<JournalState> journal_;  // null until the first change after a drop
    bool created_ = false;       // the journal's first rewrite was asked for
    bool baseHoldsSaved_ = false; // base_ gives the text of the document's saved state
    bool startUnknown_ = false;  // the text differs from the saved state by changes no journal holds
    bool snapshotDue_ = false;   // the next flush rewrites the journal as a snapshot
    std::uint32_t unflushedUnits_ = 0;
    // The last frame in the journal's pending frames when it is an edit that
    // typing can grow (kNoOpenFrame otherwise), where its text ends, and the
    // pending bytes after it (the last resort may have written them since).
    static constexpr std::size_t kNoOpenFrame = static_cast<std::size_t>(-1);
    std::size_t openFrame_ = kNoOpenFrame;
    DocPos openEnd_;
    std::size_t openPendingBytes_ = 0;
    std::uint64_t frameBytes_ = 0;     // the journal's frames since its start or last snapshot
    std::uint64_t knownTextBytes_ = 0; // the text's size in a frame when last measured
};

}  // namespace pathbook
