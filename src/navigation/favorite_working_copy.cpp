#include "navigation/favorite_working_copy.h"

#include <utility>

namespace pathbook {
namespace {

constexpr char16_t kRowDigits[] = u"*0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ[*]";

}  // namespace

void FavoriteWorkingCopy::Assign(const FavoriteList& list) {
    // The list may hold a used slot after a free one (a line the reader
    // skipped); such entries are out of reach of every operation, so they are
    // left out here as well.
    bool ended = false;
    for (int i = 0; i < kEditableFavorites; ++i) {
        Favorite entry = list.Get(i);
        if (entry.path.Empty()) ended = true;
        slots_[i] = ended ? Favorite() : entry;
    }
    changed_ = false;
}

int FavoriteWorkingCopy::Count() const {
    int count = 0;
    while (count < kEditableFavorites && !slots_[count].path.Empty()) ++count;
    return count;
}

Favorite FavoriteWorkingCopy::At(int row) const { return row >= 0 && row < Count() ? slots_[row] : Favorite(); }

void FavoriteWorkingCopy::Swap(int a, int b) {
    std::swap(slots_[a], slots_[b]);
    changed_ = true;
}

bool FavoriteWorkingCopy::MoveUp(int row) {
    if (row <= 0 || row >= Count()) return false;
    Swap(row, row - 1);
    return true;
}

bool FavoriteWorkingCopy::MoveDown(int row) {
    if (row < 0 || row + 1 >= Count()) return false;
    Swap(row, row + 1);
    return true;
}

int FavoriteWorkingCopy::Remove(int row) {
    int count = Count();
    if (row < 0 || row >= count) return -1;
    for (int i = row; i + 1 < kEditableFavorites; ++i) slots_[i] = std::move(slots_[i + 1]);
    slots_[kEditableFavorites - 1] = Favorite();
    changed_ = true;
    return row < count - 1 ? row : row - 1;
}

bool FavoriteWorkingCopy::Clear() {
    if (Count() == 0) return false;
    for (Favorite& slot : slots_) slot = Favorite();
    changed_ = true;
    return true;
}

AddedFile FavoriteWorkingCopy::AddFile(const String& path, CharsetId code) {
    if (path.Empty()) return {AddedFile::kDropped, -1};
    for (int i = 0; i < kEditableFavorites; ++i) {
        if (slots_[i].path.Empty()) {
            slots_[i] = Favorite{path, code};
            changed_ = true;
            return {AddedFile::kInserted, i};
        }
        if (slots_[i].path == path) {
            slots_[i].code = code;
            changed_ = true;
            return {AddedFile::kUpdated, i};
        }
    }
    return {AddedFile::kDropped, -1};
}

CsvMergeResult FavoriteWorkingCopy::MergeCsv(const String& path, const String& productName) {
    Favorite merged[kEditableFavorites];
    for (int i = 0; i < kEditableFavorites; ++i) merged[i] = slots_[i];
    CsvMergeResult result = MergeFavoritesCsv(path, productName, merged);
    if (result != CsvMergeResult::kMerged) return result;
    // An entry line with nothing after its comma lands in a free slot without
    // filling it; such a slot stays free with code 0 like every other.
    for (int i = 0; i < kEditableFavorites; ++i) slots_[i] = merged[i].path.Empty() ? Favorite() : std::move(merged[i]);
    changed_ = true;
    return result;
}

bool FavoriteWorkingCopy::ExportCsv(const String& path, const String& productName) const {
    return ExportFavoritesCsv(path, productName, slots_);
}

bool FavoriteWorkingCopy::SameAs(const FavoriteList& list) const {
    for (int i = 0; i < kEditableFavorites; ++i) {
        Favorite stored = list.Get(i);
        if (stored.path != slots_[i].path || stored.code != slots_[i].code) return false;
    }
    return true;
}

String FavoriteRowLabel(int row, const String& homeText) {
    if (row <= 0) return homeText;
    constexpr int kDigits = static_cast<int>(sizeof kRowDigits / sizeof kRowDigits[0]) - 1;
    char16_t label[] = {u'[', kRowDigits[row < kDigits ? row : kDigits - 1], u']', 0};
    return String(label);
}

}  // namespace pathbook
