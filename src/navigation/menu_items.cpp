#include "navigation/menu_items.h"

#include "links/path_text.h"

namespace pathbook {
namespace {

constexpr char16_t kItemDigits[] = u"0123456789ABCDEF";

String NumberedText(int digit, const String& path) {
    char16_t prefix[] = {u'&', kItemDigits[digit], u' ', 0};
    return String(prefix) + FileNamePart(path);
}

void AddPlaceholderWhenEmpty(std::vector<MenuItem>& items, std::int32_t firstId) {
    if (items.empty()) items.push_back({firstId, u"(no files)", false});
}

}  // namespace

std::vector<MenuItem> HistoryMenuItems(const ConfigStore& config, std::int32_t firstId) {
    std::vector<MenuItem> items;
    for (int i = 0; i < kHistorySize; ++i) {
        HistoryEntry entry = config.GetHistory(i);
        if (entry.path.Empty()) break;
        items.push_back({firstId + i, NumberedText(i, entry.path), true});
    }
    AddPlaceholderWhenEmpty(items, firstId);
    return items;
}

std::vector<MenuItem> FavoritesMenuItems(const FavoriteList& favorites, std::int32_t firstId) {
    std::vector<MenuItem> items;
    for (int slot = 1; slot < kEditableFavorites; ++slot) {
        Favorite entry = favorites.Get(slot);
        if (entry.path.Empty()) break;
        items.push_back({firstId + slot, NumberedText(slot - 1, entry.path), true});
    }
    AddPlaceholderWhenEmpty(items, firstId);
    return items;
}

}  // namespace pathbook
