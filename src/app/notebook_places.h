// What the window's notebook commands decide without a window: which folder
// is the notebook, what each row of a results list or of the Links Here
// drop-down shows, where choosing a row puts the selection, and the words of
// Check links.
// Tested by tests/unit/app/notebook_places_test.cpp.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/doc_pos.h"
#include "navigation/menu_items.h"
#include "notebook/links_here.h"
#include "notebook/notes_search.h"

namespace pathbook {

// The notebook of a window: the folder of the home page (`homePage`, the
// path in favourite slot 0) when there is one, else the folder of the open
// note, unless that note lies below `current` (the notebook open now, may be
// empty), which then stays: following a link down the tree keeps the notebook
// whole. Empty when no path holds a folder.
std::u16string NotebookFolder(std::u16string_view homePage, std::u16string_view notePath, std::u16string_view current);

// A row of a results list and where choosing it leads.
struct NotebookPlace {
    std::u16string path;  // the note's full path
    DocPos anchor;        // the selection to make there
    DocPos caret;
    std::u16string row;   // "folder/note.txt:12", a tab, then the line's text
};

// Rows listed at most; the rest are left out (a list box slows past it).
constexpr std::size_t kMaxPlaces = 5000;
// Units of a line's text a row shows at most.
constexpr std::size_t kMaxRowText = 200;

// The row for line `line` (0-based, shown 1-based) of `note`.
std::u16string PlaceRow(const IndexedNote& note, LineIndex line);

// One row per link of Links Here, the caret on the link's first unit after "<".
std::vector<NotebookPlace> LinksHerePlaces(const std::vector<Backlink>& links);

// Items of the Links Here drop-down, at most this many: the dialog lists them all.
constexpr std::size_t kMaxLinksHereItems = 30;
// Units of a line's text an item shows at most.
constexpr std::size_t kMaxItemText = 60;

// One item per place, ids from `firstId`, the row's "&" doubled so that it
// shows rather than marks a key, and its text cut; one disabled `none` item
// carrying `firstId` when there is no place.
std::vector<MenuItem> LinksHereMenuItems(const std::vector<NotebookPlace>& places, std::int32_t firstId,
                                         const String& none);

// One row per match of Search notes, the match selected (caret at its end).
std::vector<NotebookPlace> SearchPlaces(const std::vector<NoteHits>& hits);

// `format` with "%1" replaced by `first` and "%2" by `second`. A choice
// "{one|more}" reads "one" when the number written last before it is 1 and
// "more" otherwise ("%1 {note|notes}"); a brace that starts no choice stays.
std::u16string CountsText(std::u16string_view format, std::size_t first, std::size_t second);

}  // namespace pathbook
