// The notebook's two lists, modal over the main window: Links Here (dialog
// 130) lists the places given; Search notes (dialog 131) lists what each
// search the user starts finds. Choosing a row (double click, Open, or Enter
// in the list) ends the dialog with that row.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/notebook_places.h"
#include "search/find_options.h"

namespace pathbook {

// Runs Links Here; false when closed without a choice, else `chosen` is set.
bool ChooseLinkHere(HWND owner, const std::vector<NotebookPlace>& places, const std::u16string& countText,
                    NotebookPlace* chosen);

// A search over the notebook: its rows, and `countText` saying what was found.
using NotesSearch = std::function<std::vector<NotebookPlace>(const std::u16string& pattern,
                                                             search::FindOptions options, std::u16string* countText)>;

// Runs Search notes starting from `pattern` and `options`, which keep what
// the user last searched for; false when closed without a choice.
bool ChooseNotesMatch(HWND owner, std::u16string& pattern, search::FindOptions& options, const NotesSearch& search,
                      NotebookPlace* chosen);

}  // namespace pathbook
