// The index of a notebook: every note under its root with its text and its
// file links, each resolved to the path it leads to. An index never changes
// once made: a change makes a new index that shares the unchanged notes with
// the old one, so a query can go on with the index it holds while another
// thread makes the next. Indexes are built on any thread; the notes they share
// are never written again.
//
// Cost: building reads each note once, on WorkerThreads() threads; a recheck
// lists the tree again and reads only the notes whose size or write time
// changed; an update reads one note.
// Tested by tests/unit/notebook/notebook_index_test.cpp.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "notebook/note_grams.h"
#include "notebook/note_text.h"
#include "notebook/note_tree.h"
#include "notebook/parallel_for.h"
#include "textfile/charset.h"

namespace pathbook {

// A file link of a note.
struct NoteLink {
    LineIndex line = 0;
    Column open = 0;   // the "<"
    Column close = 0;  // the ">"
    // PathKey of the path it leads to, as units [targetStart, targetStart +
    // targetLength) of its note's `targets`.
    std::uint32_t targetStart = 0;
    std::uint32_t targetLength = 0;
};

enum class NoteState : std::uint8_t {
    kNote,
    kBinary,      // not read: see note_reader.h
    kUnreadable,  // listed, but could not be opened
};

struct IndexedNote {
    NoteFile file;
    std::u16string key;  // PathKey(file.path)
    NoteState state = NoteState::kNote;
    CharsetId charset = charset::kAutoDetect;
    bool textKept = false;        // text holds the note's text
    NoteText text;                // one empty line unless textKept
    NoteGrams grams;              // the pairs of units in text
    std::vector<NoteLink> links;  // in text order; empty unless kNote
    // The links' targets one after another, in memory that targetsKeeper keeps.
    std::u16string_view targets;
    std::shared_ptr<const void> targetsKeeper;

    std::u16string_view TargetOf(const NoteLink& link) const { return targets.substr(link.targetStart, link.targetLength); }
};

struct NotebookCounts {
    std::uint32_t notes = 0;
    std::uint32_t binary = 0;
    std::uint32_t unreadable = 0;
    std::uint32_t tooLarge = 0;   // over kMaxNoteBytes
    std::uint32_t overLimit = 0;  // beyond kMaxNotes
};

using NotePointer = std::shared_ptr<const IndexedNote>;
class NotebookIndex;
using IndexPointer = std::shared_ptr<const NotebookIndex>;

class NotebookIndex {
public:
    // The index of nothing.
    NotebookIndex() = default;

    const std::u16string& Root() const { return root_; }  // as NotebookRoot gives it
    const NoteFilter& Filter() const { return filter_; }
    // Every listed file, notes and skipped ones, in RelativePathLess order.
    const std::vector<NotePointer>& Entries() const { return entries_; }
    const NotebookCounts& Counts() const { return counts_; }
    // The entry of the file at `path` (compared as PathKey compares); null when none.
    NotePointer Find(std::u16string_view path) const;
    // What the notes' texts and links hold, roughly, in bytes.
    std::size_t HeldBytes() const;

private:
    friend IndexPointer MakeIndex(std::u16string root, const NoteFilter& filter, std::vector<NotePointer> entries,
                                  const NotebookCounts& leftOut);

    std::u16string root_;
    NoteFilter filter_{u""};
    std::vector<NotePointer> entries_;
    // (hash of an entry's key, its index in entries_), by hash: Find's table.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> byKey_;
    NotebookCounts counts_;
};

// An index of `entries` (in RelativePathLess order, paths below `root`); the
// note counts are taken from the entries, the rest from `leftOut`.
IndexPointer MakeIndex(std::u16string root, const NoteFilter& filter, std::vector<NotePointer> entries,
                       const NotebookCounts& leftOut);

// How a build goes: set `cancel` from another thread to stop it; `onProgress`
// (may be empty) hears of each note read, on any of the building threads.
struct IndexWork {
    std::atomic<bool> cancel{false};
    std::function<void(std::uint32_t done, std::uint32_t total)> onProgress;
    bool keepText = true;  // false: links only (the text is read, then dropped)
    unsigned threads = WorkerThreads();
};

// Lists the tree under `root` and reads its notes. Notes of `previous` (may be
// null) whose size and write time are unchanged are shared, not read again.
// Null when cancelled, and when the root folder cannot be read.
IndexPointer BuildIndex(std::u16string_view root, std::u16string_view filter, const NotebookIndex* previous,
                        IndexWork& work);

// BuildIndex's second step, given the listing of the tree under `root`.
IndexPointer IndexListedNotes(std::u16string_view root, const NoteFilter& filter, NoteTree tree,
                              const NotebookIndex* previous, IndexWork& work);

// `index` with the file at `path` read again: added when it is a note of the
// notebook now, dropped when it is gone. The same index (no copy) when `path`
// lies outside the root or the filter rejects it.
IndexPointer UpdateIndex(const IndexPointer& index, std::u16string_view path, bool keepText = true);

// Reads the file of `file` into an entry, its file links resolved.
NotePointer ReadIndexedNote(NoteFile file, bool keepText);

// Where `path` lies below `root` (NotebookRoot form), "/" between the parts;
// false when it does not lie below it.
bool RelativePathIn(std::u16string_view root, std::u16string_view path, std::u16string* relativePath);

}  // namespace pathbook
