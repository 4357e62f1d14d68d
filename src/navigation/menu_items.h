// The items of the history menu and of the home drop-down, as data: the window
// puts them into its menus. Item text is "&", a digit of "0123456789ABCDEF", a
// space and the file-name part of the path; with nothing to list there is one
// disabled "(no files)" item carrying the first id.
#pragma once

#include <cstdint>
#include <vector>

#include "config/config_store.h"
#include "navigation/favorite_list.h"
#include "runtime/string.h"

namespace pathbook {

constexpr std::int32_t kFirstHistoryCommand = 40200;
constexpr std::int32_t kFirstFavoriteCommand = 40400;

struct MenuItem {
    std::int32_t id;
    String text;
    bool enabled;
};

// The history entries offered (below historyCount, up to the first empty one, at most 16).
std::vector<MenuItem> HistoryMenuItems(const ConfigStore& config, std::int32_t firstId);
// Favourites 1 to 15 up to the first empty one; item ids are firstId + slot.
std::vector<MenuItem> FavoritesMenuItems(const FavoriteList& favorites, std::int32_t firstId);

}  // namespace pathbook
