// The favourites dialog (template 112, "お気に入りの管理"): a list of the
// favourites to reorder, add to, delete from, export and import, saved to the
// list file on 保存 (which every instance is told of) and from which an entry
// can be opened. One such dialog
// exists across all instances: asking again raises the open one.
#pragma once

#include <windows.h>

#include "config/config_store.h"
#include "navigation/favorite_list.h"

namespace pathbook {

struct FavoritesOutcome {
    bool open = false;  // `chosen` is to be opened
    Favorite chosen;    // taken from the dialog's copy, saved or not
};

// Reloads `favorites`, runs the dialog owned by `owner` and records its size.
// Its add-files dialog starts in `noteFolder`.
FavoritesOutcome RunFavoritesDialog(HWND owner, ConfigStore& config, FavoriteList& favorites,
                                    const String& noteFolder);

}  // namespace pathbook
