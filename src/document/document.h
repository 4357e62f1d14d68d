// The text of one open file: lines of UTF-16 units with one attribute word per
// unit, the listeners that hear about changes, the undo history and the
// tokenizer. Always at least one (possibly empty) line.
//
// Every edit goes one way: Execute, Undo or Redo run an edit command, the
// command changes the text through EditCommand::Change, the inverse is
// recorded, and the listeners hear of the whole command (a group included) in
// one OnTextUpdate. Loading is the only other change; it records nothing.
// Positions out of range are clamped: a column or line of kEndOfText means the end.
//
// A load may run in slices (BeginLoad, then LoadMore from the message loop):
// the lines read so far can be shown, scrolled and copied meanwhile, but the
// document refuses edits and saves until the load is complete. A load that
// fails or is cancelled leaves the text read so far, marked incomplete: it is
// not the file's text, so it can be neither edited nor saved. Slices run on
// the thread that owns the document, between its messages, so neither the
// document nor its listeners need a lock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/attributes.h"
#include "document/doc_listener.h"
#include "document/doc_pos.h"
#include "document/edit_command.h"
#include "document/line_list.h"
#include "document/tokenizer.h"
#include "document/undo_chain.h"
#include "runtime/prefetch.h"
#include "runtime/string.h"
#include "textfile/text_source.h"

namespace pathbook {

// What the document's text is.
enum class TextState : std::uint8_t {
    kComplete,    // the whole text (also a new or cleared document)
    kLoading,     // a load is running: the text read so far
    kIncomplete,  // a load failed or was cancelled: the text read until then
};

// Where a load stands after a slice.
enum class LoadResult : std::uint8_t {
    kMore,      // text is left: call LoadMore again
    kComplete,  // the whole text is in
    kFailed,    // the source broke off (a read error, a file that shrank): the text is incomplete
};

class Document {
public:
    // One empty line, no history, the empty keyword definition.
    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Reading.
    std::uint32_t LineCount() const { return lines_.Count(); }
    // `line` is clamped in these three.
    UnitCount LineLength(LineIndex line) const;
    // Followed by U+007F, not NUL.
    const char16_t* LineText(LineIndex line) const;
    // The attribute words, with the comment bits computed first if needed.
    const Attribute* LineTokens(LineIndex line) const;
    // A hint for walks over many lines: `line` (clamped) will be read soon.
    void PrefetchLine(LineIndex line) const { PrefetchForRead(&LineAt(line)); }
    // Units that CopyRange writes for the clamped, ordered range, without the
    // NUL: the units plus 2 for each line break crossed.
    TextSize RangeLength(DocPos from, DocPos to) const;
    // Writes the range with CR LF between lines and a NUL; `buffer` holds
    // RangeLength(from, to) + 1 units.
    void CopyRange(char16_t* buffer, DocPos from, DocPos to) const;
    std::u16string CopyRange(DocPos from, DocPos to) const;

    // Position helpers (caret movement and link selection); `pos` is clamped.
    // One unit left (two over a surrogate pair), or to the start of the run
    // before `pos`; at column 0 the end of the previous line.
    DocPos LeftOf(DocPos pos, bool byWord) const;
    // One unit right (two over a surrogate pair), or to the end of the run at
    // `pos`; at the line end column 0 of the next line (the last line stays).
    DocPos RightOf(DocPos pos, bool byWord) const;
    // The first unit of the run that holds `pos`; a position at the line end stays.
    DocPos WordStartOf(DocPos pos) const;
    // Inside a link: its "<"; otherwise `pos`.
    DocPos LinkStartOf(DocPos pos) const;
    // Inside a link: its ">"; otherwise `pos`.
    DocPos LinkEndOf(DocPos pos) const;
    // Like LinkEndOf, but stops at a path separator too.
    DocPos LinkPartEndOf(DocPos pos) const;
    // The nearest link at or before `pos` that can be the base of a relative
    // link (its text does not start with "." or "#"), searching back through
    // every line to the first. Stores the text between "<" and ">" in `link`.
    bool FindLinkBefore(DocPos pos, String& link) const;

    // Sets or clears the missing-part bit (kMissingBit) on units [from, to) of
    // `line` (all clamped), for drawing the part of a link whose target is
    // missing. Not an edit: no undo step, no change of the modified state, no
    // broadcast; reclassifying the line clears the bit.
    void SetMissingPart(LineIndex line, Column from, Column to, bool missing);

    // Undo and redo.
    // Runs `command` (the caller keeps it) and records its inverse. False,
    // with nothing changed, while editing is locked or the text is incomplete.
    bool Execute(EditCommand& command);
    // Both do nothing (false) while editing is locked, the text is incomplete,
    // or with nothing to undo / redo.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    bool IsModified() const { return undo_.IsModified(); }
    // 0 counts as 1; kUnlimitedUndo (the default) keeps everything. Applied at
    // the next Execute.
    void SetUndoLimit(std::uint32_t limit) { undo_.SetLimit(limit); }
    // Deletes all text (dropping a running load), forgets the history, and
    // leaves the document unmodified and complete (also while editing is
    // locked: this is not an edit).
    void ClearAll();

    // The no-editing state ("編集禁止"): while on, Execute, Undo and Redo refuse,
    // so no way of editing can get past it. Loading and ClearAll are not edits.
    void SetEditLock(bool on) { editLocked_ = on; }
    bool EditLocked() const { return editLocked_; }
    // Whether an edit would be taken now: not locked, and the text complete.
    bool Editable() const { return !editLocked_ && state_ == TextState::kComplete; }

    // Files.
    // Appends the whole source's text at the end of the document (callers
    // ClearAll first), classifying each line once it is complete, then sends
    // one OnTextUpdate (byCommand false). Records no undo step and leaves the
    // modified state alone.
    LoadResult Load(std::unique_ptr<TextSource> source);
    // The same in slices: starts loading `source` (a load already running is
    // cancelled first). The text is kLoading until the load ends.
    void BeginLoad(std::unique_ptr<TextSource> source);
    // Reads about `work` more units (at least one read; a line break counts as
    // a unit), stores and classifies the lines completed, and sends one
    // OnTextUpdate for them from the end of the text before. A line appears
    // once it is complete, the last one when the load ends. Without a running
    // load: kComplete, or kFailed for an incomplete text.
    LoadResult LoadMore(std::uint32_t work);
    // Ends a running load where it stands, keeping the text read so far (the
    // line being read included) as an incomplete text.
    void CancelLoad();
    TextState State() const { return state_; }
    // How far the running load has got, in the source's measure (bytes of a
    // file); 0 of 0 without a load.
    SourceProgress LoadProgress() const;
    // Hands every line to `sink` and closes it. Only when Close succeeds does
    // the current state become the saved (unmodified) one. Notifies nobody.
    // Refused (false, nothing written) unless the text is complete.
    bool Save(TextSink& sink);

    // Configures the tokenizer (see keyword_definition.h), reclassifies every
    // line and sends OnKeywordChange.
    void SetKeywordDefinition(std::u16string_view text);
    const Tokenizer& CurrentTokenizer() const { return *tokenizer_; }

    // Listeners are not owned. Removal moves the last listener into the freed
    // slot; an unknown listener is ignored.
    void AddListener(DocListener* listener) { listeners_.push_back(listener); }
    void RemoveListener(DocListener* listener);

    // For tests and fuzzers.
    const LineList& Lines() const { return lines_; }
    const UndoChain& History() const { return undo_; }
    bool CheckInvariants() const;

private:
    friend class EditCommand;  // its Change is the one way edits reach the text
    struct PendingLoad;        // a load between its slices (pending_load.h)

    // Stores the line read so far as the text's next line.
    void StoreLoadedLine();
    // Stores the line being read, ends the running load in `state` and tells
    // the listeners of the text added since `start` (also when there is none:
    // a whole load is always heard once).
    void EndLoad(TextState state, DocPos start);
    DocPos EndOfText() const;

    // The two primitives. Both clamp their positions in place (DeleteRange also
    // orders them) and reclassify the changed lines.
    void InsertText(DocPos& pos, std::u16string_view text, DocPos& end);
    // `removed` receives the deleted text with CR LF between lines.
    void DeleteRange(DocPos& from, DocPos& to, std::u16string& removed);
    // Replaces [from, to) (clamped and ordered in place) by `text`, returns the
    // end of the new text and adds the change to the running edit's update.
    DocPos Change(DocPos& from, DocPos& to, std::u16string_view text, std::u16string& removed);
    // Runs `command` as one edit: its changes reach the listeners as one update.
    std::unique_ptr<EditCommand> RunEdit(EditCommand& command);
    // Sends the running edit's one update, if it changed anything.
    void FlushChange();
    // Classifies lines first..last (clamped). Lines carry no state from one to
    // the next, so nothing after `last` changes.
    void ReclassifyLines(LineIndex first, LineIndex last);

    // Broadcasts, to listeners in array order.
    void NotifyTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand);
    void NotifyKeywordChange();
    void NotifyDirtyFlag();
    void Clamp(DocPos& pos) const;
    const Line& LineAt(LineIndex line) const { return *lines_[line < LineCount() ? line : LineCount() - 1]; }

    LineList lines_;                        // never empty
    std::vector<DocListener*> listeners_;   // registration order, changed by removals
    UndoChain undo_;
    std::unique_ptr<Tokenizer> tokenizer_;  // never null
    bool editLocked_ = false;
    // The changes of the running edit as one: the text from pendingStart_ to
    // pendingOldEnd_ before the edit now ends at pendingNewEnd_.
    bool editing_ = false;
    bool pendingChange_ = false;
    DocPos pendingStart_;
    DocPos pendingOldEnd_;
    DocPos pendingNewEnd_;
    std::unique_ptr<PendingLoad> load_;  // while state_ is kLoading
    TextState state_ = TextState::kComplete;
};

}  // namespace pathbook
