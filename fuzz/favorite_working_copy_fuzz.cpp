// The favourites dialog's copy under any sequence of moves, removals, additions
// and clears: it stays packed (no used slot after a free one), never holds more
// than 16 entries, and every returned row is a row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "navigation/favorite_working_copy.h"

namespace {

void CheckPacked(const pathbook::FavoriteWorkingCopy& copy) {
    int count = copy.Count();
    if (count < 0 || count > pathbook::kEditableFavorites) std::abort();
    for (int i = count; i < pathbook::kEditableFavorites; ++i) {
        if (!copy.Slots()[i].path.Empty()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pathbook::FavoriteWorkingCopy copy;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        int row = static_cast<std::int8_t>(data[i + 1]) % 20;  // rows out of range too
        switch (data[i] % 5) {
            case 0: copy.MoveUp(row); break;
            case 1: copy.MoveDown(row); break;
            case 2: {
                int next = copy.Remove(row);
                if (next < -1 || next >= copy.Count()) std::abort();
                break;
            }
            case 3: copy.Clear(); break;
            default: {
                // A small alphabet of paths, so that the same path comes back.
                std::u16string path = data[i + 1] % 7 == 0 ? u"" : u"C:\\" + std::u16string(1, u'a' + data[i + 1] % 23);
                pathbook::AddedFile added = copy.AddFile(pathbook::String(path), data[i + 1]);
                bool kept = added.kind != pathbook::AddedFile::kDropped;
                if (kept && (added.row < 0 || added.row >= copy.Count())) std::abort();
                break;
            }
        }
        CheckPacked(copy);
    }
    return 0;
}
