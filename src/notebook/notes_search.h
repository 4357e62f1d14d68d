// Search notes: every match of a pattern, with the find dialog's options, in
// every note of a notebook, as repeated Find Next finds them in each
// (note_search.h). Notes are searched on WorkerThreads() threads; the results
// come in the notebook's order whatever thread found them.
//
// From an index the texts are in memory, and a note whose pairs of units
// lack one of the pattern's is not read (note_grams.h). Without one (pathbook-tool) the
// notes are read from their files, and a file whose bytes cannot hold a match
// is not decoded at all.
// Tested by tests/unit/notebook/note_search_test.cpp.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "notebook/note_search.h"
#include "notebook/notebook_index.h"

namespace pathbook {

// The matches in one note, in order; never empty.
struct NoteHits {
    NotePointer note;  // from an index: its text is there for the lines' texts
    std::vector<NoteMatch> matches;
};

// The notes of `index` that hold a match, in index order. Stops early, with
// what it found so far, once `cancel` (may be null) is true.
std::vector<NoteHits> SearchNotes(const NotebookIndex& index, std::u16string_view pattern,
                                  search::FindOptions options, const std::atomic<bool>* cancel = nullptr);

// The same over the files under `root`, read as they are now. Each note's
// entry holds its file but no text. Counts tell what was left out.
struct FileSearch {
    bool rootListed = false;
    std::vector<NoteHits> hits;
    NotebookCounts counts;
};
FileSearch SearchNoteFiles(std::u16string_view root, std::u16string_view filter, std::u16string_view pattern,
                           search::FindOptions options, unsigned threads = WorkerThreads());

}  // namespace pathbook
