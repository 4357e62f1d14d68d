// The files of the favourites: the list file DocList.txt and the CSV exchange
// file share one format. UTF-16LE without a byte-order mark, every line ended
// by CR; line 1 is a header (empty in the list file, the product name in a
// CSV); then one line per entry, "code,path": the CharsetId in decimal, a
// comma, and the path, which is everything after the first comma. Reading also
// takes LF and CR LF ends, and uses at most the first 259 units of a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

struct Favorite {
    String path;  // empty = a free slot
    CharsetId code = 0;
};

constexpr std::size_t kMaxFavoriteLineLength = 259;

// The first `maxLines` lines of UTF-16LE `bytes` (an odd last byte is ignored),
// each cut to kMaxFavoriteLineLength units.
std::vector<std::u16string> SplitFavoriteLines(const std::uint8_t* bytes, std::size_t count, std::size_t maxLines);

enum class ListRead {
    kRead,
    kMissing,     // there is no such file (an empty list)
    kUnreadable,  // the file is there but cannot be opened or mapped
};

// Reads the first `maxLines` lines of the file.
ListRead ReadFavoriteLines(const String& path, std::size_t maxLines, std::vector<std::u16string>* lines);

// An entry line: more than 3 units with a comma. False (entry untouched)
// otherwise. A code that names no encoding of the table reads as 0 (detect).
bool ParseFavoriteLine(std::u16string_view line, Favorite* entry);

// Writes `header`, then one line per entry up to the first free slot. The old
// file stays whole when writing fails.
bool WriteFavoriteFile(const String& path, std::u16string_view header, const Favorite* entries, std::size_t count);

}  // namespace pathbook
