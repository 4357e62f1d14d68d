// A journal this process has claimed (journal_folder.h), read back: what the
// restore dialog shows, and the text rebuilt for a window.
// Tested by journal_recorder_test.cpp and journal_folder_test.cpp.
//
// The text is rebuilt in two steps: the document loads OpenBaseText (the base
// file as it was loaded, or the journal's copy of it, or nothing), then
// ReplayEdits runs the journal's edits as one undoable step, so the document
// ends up modified and one Undo goes back to the file as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "document/document.h"
#include "recovery/journal_names.h"
#include "recovery/journal_reader.h"
#include "textfile/text_source.h"

namespace pathbook {

enum class BaseFileState {
    kNone,       // an untitled note: no file behind it
    kUnchanged,  // the file is as it was when the note was loaded or saved
    kChanged,    // the file changed on disk since
    kMissing,    // the file is gone
};

class RecoveredJournal {
public:
    // Reads the journal at `paths`; false when it has no whole header or no edit.
    static bool Read(const JournalPaths& paths, RecoveredJournal* journal);

    // The document's path (empty: untitled), CharsetId and line-end style.
    const DocumentIdentity& Identity() const { return contents_.header.identity; }
    // When the journal was last written, in 100-ns ticks since 1601-01-01 UTC.
    std::uint64_t WriteTime() const { return writeTime_; }
    // The rebuilt text's line count.
    std::uint32_t LineCount() const { return contents_.lineCount; }
    BaseFileState BaseState() const { return baseState_; }
    // True when the rebuilt text is the one recorded: every frame was good,
    // and the text the edits start from was found (the base file unchanged,
    // the journal's copy of it, or a snapshot). Otherwise it is what the good
    // frames give over what is on disk now.
    bool Exact() const { return contents_.intact && startFound_; }
    // The text the edits start from was found: Exact but for damaged frames.
    bool StartFound() const { return startFound_; }

    // The text the edits start from, for Document::Load.
    std::unique_ptr<TextSource> OpenBaseText() const;
    // Runs the edits on `document` (which holds the base text) as one step.
    void ReplayEdits(Document& document) const;

    const JournalPaths& Paths() const { return paths_; }
    const JournalContents& Contents() const { return contents_; }

private:
    enum class Start { kEmpty, kBaseFile, kBaseCopy };

    JournalPaths paths_;
    JournalContents contents_;
    std::uint64_t writeTime_ = 0;
    BaseFileState baseState_ = BaseFileState::kNone;
    Start start_ = Start::kEmpty;
    bool startFound_ = false;
};

}  // namespace pathbook
