// The favourites: 17 slots of (path, CharsetId); slot 0 is the home page,
// slots 1-15 the other favourites, slot 16 a terminator only the file reader
// can fill. The list file is the truth shared by every instance; each instance
// keeps a copy. Reading and writing the file holds the history mutex, and Add
// re-reads the file under it, so that concurrent instances lose no entry.
#pragma once

#include <cstdint>

#include "navigation/favorite_file.h"
#include "platform/named_mutex.h"
#include "runtime/string.h"

namespace pathbook {

constexpr int kFavoriteSlots = 17;
constexpr int kEditableFavorites = 16;  // slots 0-15

// What became of a favourite to add; the window tells the user of kNotStored.
enum class AddFavoriteResult { kAdded, kAlreadyListed, kListFull, kNotStored };

class FavoriteList {
public:
    // `listPath`: the list file; `mutexName`: the history mutex; `busy` (may
    // be null, outlives the list) hears when another instance kept it too long.
    FavoriteList(const String& listPath, const String& mutexName, platform::BusyListener* busy = nullptr);
    // "DocList.txt" in the application-data folder.
    static String DefaultPath();

    // Empties every slot, then reads the file (a missing file leaves the list empty).
    void Load();
    // Writes the list file; false when it could not be written.
    bool Store();

    // The first of slots 0-15 holding exactly `path` (letter case counts), or -1.
    int Find(const String& path) const;
    // Slot n for n in 0-15; an empty entry for any other n.
    Favorite Get(int n) const;
    // Puts (path, code) into the first free slot unless an equal path comes
    // first or all 16 are in use, and stores the list. When the file cannot be
    // written the list stays as the file has it. An empty path is never listed
    // (kNotStored).
    AddFavoriteResult Add(const String& path, CharsetId code);
    // Takes slots 0-15 from an edited copy and stores the list.
    bool Replace(const Favorite (&slots)[kEditableFavorites]);

    const String& ListPath() const { return listPath_; }

private:
    void ReadFile();
    bool WriteFile() const;

    String listPath_;
    String mutexName_;
    platform::BusyListener* busy_;
    Favorite slots_[kFavoriteSlots];
};

// The CSV exchange file: line 1 `productName`, then the entries of `slots`
// (up to the first free one).
bool ExportFavoritesCsv(const String& path, const String& productName, const Favorite (&slots)[kEditableFavorites]);

enum class CsvMergeResult { kMerged, kUnreadable, kWrongHeader };

// Merges a CSV into `slots`: its line 1 must equal `productName`; of at most 17
// entry lines, each updates the code of the first slot with the same path
// (letter case aside) or fills the first free slot, whichever comes first, and
// is dropped when neither exists.
CsvMergeResult MergeFavoritesCsv(const String& path, const String& productName, Favorite (&slots)[kEditableFavorites]);

}  // namespace pathbook
