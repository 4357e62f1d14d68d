#include "navigation/favorite_list.h"

#include <string>
#include <vector>

#include "navigation/fold_case.h"
#include "platform/file_system.h"
#include "platform/shell_folder.h"

namespace pathbook {
namespace {

constexpr std::size_t kCsvEntryLines = 17;

}  // namespace

FavoriteList::FavoriteList(const String& listPath, const String& mutexName, platform::BusyListener* busy,
                           std::uint32_t lockWait)
    : listPath_(listPath), mutexName_(mutexName), busy_(busy), lockWait_(lockWait) {}

String FavoriteList::DefaultPath() {
    return String(platform::AppDataFilePath(u"DocList.txt"));
}

ListRead FavoriteList::ReadFile() {
    std::vector<std::u16string> lines;
    fileState_ = ReadFavoriteLines(listPath_, 1 + kFavoriteSlots, &lines);
    if (fileState_ == ListRead::kUnreadable) return fileState_;
    for (Favorite& slot : slots_) slot = Favorite();
    for (std::size_t i = 1; i < lines.size(); ++i) ParseFavoriteLine(lines[i], &slots_[i - 1]);
    return fileState_;
}

bool FavoriteList::WriteFile() const { return WriteFavoriteFile(listPath_, u"", slots_, kFavoriteSlots); }

ListWrite FavoriteList::MayWrite(const HistoryLock& lock) const {
    if (lock.TimedOut()) return ListWrite::kLocked;
    bool unread = fileState_ == ListRead::kUnreadable ||
                  platform::ProbeReadAccess(listPath_.Chars()) == platform::ReadAccess::kUnreadable;
    return unread ? ListWrite::kUnreadable : ListWrite::kWritten;
}

void FavoriteList::Load() {
    HistoryLock lock(mutexName_, busy_, lockWait_);
    ReadFile();
}

ListWrite FavoriteList::Store() {
    HistoryLock lock(mutexName_, busy_, lockWait_);
    lastWrite_ = MayWrite(lock);
    if (lastWrite_ == ListWrite::kWritten && !WriteFile()) lastWrite_ = ListWrite::kWriteFailed;
    return lastWrite_;
}

int FavoriteList::Find(const String& path) const {
    for (int i = 0; i < kEditableFavorites; ++i) {
        if (slots_[i].path == path) return i;
    }
    return -1;
}

Favorite FavoriteList::Get(int n) const { return n >= 0 && n < kEditableFavorites ? slots_[n] : Favorite(); }

AddFavoriteResult FavoriteList::Add(const String& path, CharsetId code) {
    if (path.Empty()) return AddFavoriteResult::kNotStored;
    HistoryLock lock(mutexName_, busy_, lockWait_);
    if (lock.TimedOut()) {
        lastWrite_ = ListWrite::kLocked;
        return AddFavoriteResult::kNotStored;
    }
    if (ReadFile() == ListRead::kUnreadable) {
        lastWrite_ = ListWrite::kUnreadable;
        return AddFavoriteResult::kNotStored;
    }
    for (int i = 0; i < kEditableFavorites; ++i) {
        if (slots_[i].path == path) return AddFavoriteResult::kAlreadyListed;
        if (!slots_[i].path.Empty()) continue;
        slots_[i] = Favorite{path, code};
        for (int j = i + 1; j < kEditableFavorites; ++j) slots_[j] = Favorite();
        if (WriteFile()) {
            lastWrite_ = ListWrite::kWritten;
            return AddFavoriteResult::kAdded;
        }
        lastWrite_ = ListWrite::kWriteFailed;
        ReadFile();  // the copy keeps what the file holds, not what failed to reach it
        return AddFavoriteResult::kNotStored;
    }
    return AddFavoriteResult::kListFull;
}

bool FavoriteList::Replace(const Favorite (&slots)[kEditableFavorites]) {
    HistoryLock lock(mutexName_, busy_, lockWait_);
    lastWrite_ = MayWrite(lock);
    if (lastWrite_ != ListWrite::kWritten) return false;
    for (int i = 0; i < kEditableFavorites; ++i) slots_[i] = slots[i];
    if (WriteFile()) return true;
    lastWrite_ = ListWrite::kWriteFailed;
    return false;
}

bool ExportFavoritesCsv(const String& path, const String& productName, const Favorite (&slots)[kEditableFavorites]) {
    return WriteFavoriteFile(path, productName.View(), slots, kEditableFavorites);
}

CsvMergeResult MergeFavoritesCsv(const String& path, const String& productName, Favorite (&slots)[kEditableFavorites]) {
    std::vector<std::u16string> lines;
    if (ReadFavoriteLines(path, 1 + kCsvEntryLines, &lines) != ListRead::kRead) return CsvMergeResult::kUnreadable;
    if (lines.empty() || lines[0] != productName.View()) return CsvMergeResult::kWrongHeader;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        Favorite entry;
        if (!ParseFavoriteLine(lines[i], &entry)) continue;
        for (Favorite& slot : slots) {
            if (slot.path.Empty()) {
                slot = entry;
                break;
            }
            if (EqualIgnoringCase(slot.path.View(), entry.path.View())) {
                slot.code = entry.code;
                break;
            }
        }
    }
    return CsvMergeResult::kMerged;
}

}  // namespace pathbook
