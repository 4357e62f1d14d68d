// The notes of a notebook: every file under its root folder, at any depth,
// whose name the filter accepts. Folders are walked with a list of their own
// (no recursion), by a few threads that each take the next folder to list,
// and a folder reached through a link is not entered, so a link back up
// cannot make the walk endless.
// Tested by tests/unit/notebook/notebook_index_test.cpp.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "notebook/note_filter.h"
#include "platform/folder_listing.h"

namespace pathbook {

// Larger files are left out of a notebook (and counted).
constexpr std::uint64_t kMaxNoteBytes = std::uint64_t{64} << 20;
// A notebook holds at most this many notes; the rest of a larger tree is left out (and counted).
constexpr std::size_t kMaxNotes = 200000;

struct NoteFile {
    std::u16string path;          // the root's path, a separator and relativePath with "\" separators
    std::u16string relativePath;  // below the root, "/" between the parts
    std::uint64_t size = 0;
    platform::WriteTime writeTime = 0;
};

struct NoteTree {
    bool rootListed = false;    // false: the root folder could not be read
    std::vector<NoteFile> files;  // in RelativePathLess order
    std::uint32_t tooLarge = 0;   // notes over kMaxNoteBytes, left out
    std::uint32_t overLimit = 0;  // notes beyond kMaxNotes, left out
};

// Lists the notes under `root` (a full folder path, Windows form, with or
// without a trailing separator) on up to `threads` threads. Stops early, with
// what it found so far, when `cancel` becomes true.
NoteTree ListNotes(std::u16string_view root, const NoteFilter& filter, const std::atomic<bool>& cancel,
                   unsigned threads = 1);

// The root as notes' paths start: without a trailing separator, "/" as "\".
std::u16string NotebookRoot(std::u16string_view root);

// The order of relative paths in a notebook: by code point (so UTF-8 output
// sorts as its bytes sort), then by length.
bool RelativePathLess(std::u16string_view a, std::u16string_view b);

}  // namespace pathbook
