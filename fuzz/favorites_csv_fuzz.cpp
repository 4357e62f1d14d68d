// Arbitrary CSV exchange files merged into a favourites list: the merge never
// fails on content, never empties a slot, never adds a path longer than a line
// of the file, and a slot once filled keeps its path.
//
// Input: byte 0 says how many slots start filled; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "navigation/favorite_file.h"
#include "navigation/favorite_list.h"

namespace {

using pathbook::Favorite;
using pathbook::String;

void Check(bool condition) {
    if (!condition) std::abort();
}

const std::filesystem::path& CsvPath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("pathbook-csv-fuzz-" + std::to_string(::getpid()) + ".csv");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::ofstream(CsvPath(), std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data + 1),
                                                                         static_cast<std::streamsize>(size - 1));
    Favorite slots[pathbook::kEditableFavorites];
    const int filled = data[0] % (pathbook::kEditableFavorites + 1);
    for (int i = 0; i < filled; ++i) slots[i] = Favorite{String(u"C:\\f" + std::u16string(1, u'a' + i)), i};
    Favorite before[pathbook::kEditableFavorites];
    for (int i = 0; i < pathbook::kEditableFavorites; ++i) before[i] = slots[i];
    const pathbook::CsvMergeResult result =
        pathbook::MergeFavoritesCsv(String(CsvPath().u16string()), String(u"Pathbook"), slots);
    Check(result != pathbook::CsvMergeResult::kUnreadable);
    for (int i = 0; i < pathbook::kEditableFavorites; ++i) {
        if (!before[i].path.Empty()) Check(slots[i].path == before[i].path);
        Check(slots[i].path.Length() <= static_cast<std::int32_t>(pathbook::kMaxFavoriteLineLength));
        // The list stays packed: no entry follows an empty slot.
        if (i > 0 && slots[i - 1].path.Empty()) Check(slots[i].path.Empty());
    }
    return 0;
}
