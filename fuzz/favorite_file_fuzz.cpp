// DocList.txt and CSV contents: lines never exceed 259 units and entry lines
// parse without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "navigation/favorite_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const std::u16string& line : pathbook::SplitFavoriteLines(data, size, 18)) {
        if (line.size() > pathbook::kMaxFavoriteLineLength) std::abort();
        pathbook::Favorite entry;
        if (pathbook::ParseFavoriteLine(line, &entry) && entry.path.Length() >= static_cast<int>(line.size())) {
            std::abort();
        }
    }
    return 0;
}
