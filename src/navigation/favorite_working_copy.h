// The copy of favourites 0-15 that the favourites dialog edits: rows are the
// slots up to the first free one, so the copy stays packed through every
// operation. Nothing reaches the list file until the dialog saves it; what the
// dialog opens is taken from this copy, so unsaved moves and deletes count.
// Tested by favorite_list_test.cpp.
#pragma once

#include "navigation/favorite_list.h"
#include "runtime/string.h"

namespace pathbook {

// What became of one file given to AddFile.
struct AddedFile {
    enum Kind { kUpdated, kInserted, kDropped } kind;
    int row;  // the row updated or inserted; -1 when dropped
};

class FavoriteWorkingCopy {
public:
    // Slots 0-15 of `list`; the copy counts as unchanged.
    void Assign(const FavoriteList& list);

    int Count() const;
    // Row `row`; an empty entry outside 0..Count()-1.
    Favorite At(int row) const;
    const Favorite (&Slots() const)[kEditableFavorites] { return slots_; }

    // Swaps the row with the one before / after it; false (nothing changes)
    // when there is none.
    bool MoveUp(int row);
    bool MoveDown(int row);
    // Removes the row, closing the gap; returns the row to select afterwards:
    // the same position, or the one before when the last row went (-1 when
    // no row is left or `row` was not a row).
    int Remove(int row);
    // Empties every row; false when there was none.
    bool Clear();
    // A path already listed (exact comparison) gets the new code; another goes
    // into the first free slot; with none free it is dropped.
    AddedFile AddFile(const String& path, CharsetId code);
    // Merges the CSV file (see MergeFavoritesCsv); on any failure the copy is untouched.
    CsvMergeResult MergeCsv(const String& path, const String& productName);
    bool ExportCsv(const String& path, const String& productName) const;

    // Whether an operation changed the copy since Assign or MarkSaved.
    bool Changed() const { return changed_; }
    void MarkSaved() { changed_ = false; }
    // Whether `list` holds exactly these slots (paths with letter case, and codes).
    bool SameAs(const FavoriteList& list) const;

private:
    void Swap(int a, int b);

    Favorite slots_[kEditableFavorites];  // invariant: no used slot after a free one
    bool changed_ = false;
};

// The "No." column of row `row`: `homeText` for row 0, then "[0]" ... "[9]",
// "[A]" ... for the other favourites.
String FavoriteRowLabel(int row, const String& homeText);

}  // namespace pathbook
