// The favourites: 17 slots of (path, CharsetId); slot 0 is the home page,
// slots 1-15 the other favourites, slot 16 a terminator only the file reader
// can fill. The list file is the truth shared by every instance; each instance
// keeps a copy. Reading and writing the file holds the history mutex, and Add
// re-reads the file under it, so that concurrent instances lose no entry.
// A list that was not read is never written: a file that is there but cannot
// be read (another program holds it, a network error), or a mutex another
// instance holds too long, makes Add, Replace and Store refuse, so that a
// short list never replaces the user's.
#pragma once

#include <cstdint>

#include "config/history_lock.h"
#include "config/list_write.h"
#include "navigation/favorite_file.h"
#include "platform/named_mutex.h"
#include "runtime/string.h"

namespace pathbook {

constexpr int kFavoriteSlots = 17;
constexpr int kEditableFavorites = 16;  // slots 0-15

// What became of a favourite to add; the window tells the user of kNotStored.
enum class AddFavoriteResult {
    kAdded,
    kAlreadyListed,
    kListFull,
    // Nothing was stored: the path is empty, or LastWrite() tells why (the file
    // could not be written, or the write was refused).
    kNotStored,
};

class FavoriteList {
public:
    // `listPath`: the list file; `mutexName`: the history mutex, waited for
    // at most `lockWait` milliseconds; `busy` (may be null, outlives the list)
    // hears when another instance kept it too long.
    FavoriteList(const String& listPath, const String& mutexName, platform::BusyListener* busy = nullptr,
                 std::uint32_t lockWait = kHistoryLockWaitMilliseconds);
    // "DocList.txt" in the application-data folder.
    static String DefaultPath();

    // Reads the file: a missing one empties the list, one that cannot be read
    // leaves the copy as it was (FileState tells).
    void Load();
    // Writes the list file, unless refused as Replace is.
    ListWrite Store();

    // The first of slots 0-15 holding exactly `path` (letter case counts), or -1.
    int Find(const String& path) const;
    // Slot n for n in 0-15; an empty entry for any other n.
    Favorite Get(int n) const;
    // Puts (path, code) into the first free slot unless an equal path comes
    // first or all 16 are in use, and stores the list. When the file cannot be
    // written the list stays as the file has it; when it is there but cannot
    // be read, or the mutex was held too long, nothing is written and the copy
    // stays as it was (kNotStored, LastWrite says which). An empty path is
    // never listed (kNotStored).
    AddFavoriteResult Add(const String& path, CharsetId code);
    // Takes slots 0-15 from an edited copy and stores the list. False, with
    // nothing changed, when refused (the mutex was held too long, the file is
    // there but cannot be read, or the last read of it failed, so that the
    // copy was not made from it) or when writing failed; LastWrite says which.
    bool Replace(const Favorite (&slots)[kEditableFavorites]);

    const String& ListPath() const { return listPath_; }
    // How the latest read of the file went, and what became of the latest write.
    ListRead FileState() const { return fileState_; }
    ListWrite LastWrite() const { return lastWrite_; }

private:
    ListRead ReadFile();
    bool WriteFile() const;
    // kWritten when a write may go ahead under `lock`, else the refusal.
    ListWrite MayWrite(const HistoryLock& lock) const;

    String listPath_;
    String mutexName_;
    platform::BusyListener* busy_;
    std::uint32_t lockWait_;
    Favorite slots_[kFavoriteSlots];
    ListRead fileState_ = ListRead::kMissing;
    ListWrite lastWrite_ = ListWrite::kWritten;
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
