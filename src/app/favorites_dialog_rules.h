// The decisions of the favourites dialog that need no window: its size when it
// opens, where its controls go when it is resized, and the files a
// multiple-selection file dialog returned.
// Tested by favorites_dialog_rules_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/string.h"

namespace pathbook {

struct PixelSize {
    std::int32_t width;
    std::int32_t height;
};

// Sizes in pixels at `dpi`; what is remembered and the fixed sizes below are
// those of 96 DPI, scaled.

// The dialog is never smaller than this at 96 DPI (its minimum tracking size).
constexpr PixelSize kFavoritesMinimumSize{600, 300};
PixelSize FavoritesMinimumSize(std::int32_t dpi);

// The size the dialog opens with: the remembered size (at 96 DPI) when both
// values are positive (a value never stored reads as -2147483648, and the
// shared block starts at 0), otherwise the template's (already at `dpi`); at
// least the minimum, and no larger than `screen` (the work area) where the
// minimum allows.
PixelSize FavoritesDialogSize(std::int32_t rememberedW, std::int32_t rememberedH, PixelSize templateSize,
                              PixelSize screen, std::int32_t dpi);

// The widths of the list's columns: number, name, encoding, path.
constexpr int kFavoritesColumnCount = 4;
std::int32_t FavoritesColumnWidth(int column, std::int32_t dpi);

struct PixelRect {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// Within a client area of `client`: the list fills it but for a 10-pixel margin
// and the button row; the buttons keep their horizontal place with their top
// `buttonTop`. No size goes below 0.
struct FavoritesLayout {
    PixelRect list;
    std::int32_t buttonTop;
};
FavoritesLayout LayOutFavorites(PixelSize client, std::int32_t dpi);

// The full paths in the buffer of a file dialog that allows several files:
// either one full path, or the folder followed by the names, each ended by a
// NUL, the whole ended by an empty string. `units` bounds the reading; names
// that are already absolute are kept as they are.
std::vector<String> SelectedFiles(const char16_t* buffer, std::size_t units);

}  // namespace pathbook
