#include "app/favorites_dialog_rules.h"

#include <algorithm>
#include <string_view>

#include "config/dpi_scale.h"

namespace pathbook {
namespace {

std::int32_t Fit(std::int32_t wanted, std::int32_t minimum, std::int32_t screen) {
    std::int32_t largest = std::max(minimum, screen);
    return std::clamp(wanted, minimum, largest);
}

bool IsAbsolute(std::u16string_view name) {
    return (name.size() >= 2 && name[1] == u':') || (!name.empty() && (name[0] == u'\\' || name[0] == u'/'));
}

}  // namespace

PixelSize FavoritesMinimumSize(std::int32_t dpi) {
    return {ScaleToDpi(kFavoritesMinimumSize.width, dpi), ScaleToDpi(kFavoritesMinimumSize.height, dpi)};
}

PixelSize FavoritesDialogSize(std::int32_t rememberedW, std::int32_t rememberedH, PixelSize templateSize,
                              PixelSize screen, std::int32_t dpi) {
    PixelSize wanted = rememberedW > 0 && rememberedH > 0
                           ? PixelSize{ScaleToDpi(rememberedW, dpi), ScaleToDpi(rememberedH, dpi)}
                           : templateSize;
    const PixelSize minimum = FavoritesMinimumSize(dpi);
    return {Fit(wanted.width, minimum.width, screen.width), Fit(wanted.height, minimum.height, screen.height)};
}

std::int32_t FavoritesColumnWidth(int column, std::int32_t dpi) {
    constexpr std::int32_t kWidths[kFavoritesColumnCount] = {50, 150, 100, 500};
    return column >= 0 && column < kFavoritesColumnCount ? ScaleToDpi(kWidths[column], dpi) : 0;
}

FavoritesLayout LayOutFavorites(PixelSize client, std::int32_t dpi) {
    const std::int32_t margin = ScaleToDpi(10, dpi);
    const std::int32_t belowList = ScaleToDpi(50, dpi);
    const std::int32_t buttonsFromBottom = ScaleToDpi(30, dpi);
    return {{margin, margin, std::max(0, client.width - 2 * margin), std::max(0, client.height - belowList)},
            std::max(0, client.height - buttonsFromBottom)};
}

std::vector<String> SelectedFiles(const char16_t* buffer, std::size_t units) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < units; ++i) {
        if (buffer[i] != 0) continue;
        if (i == start) break;  // the empty string that ends the list
        parts.emplace_back(buffer + start, i - start);
        start = i + 1;
    }
    std::vector<String> files;
    if (parts.size() == 1) files.emplace_back(parts[0]);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (IsAbsolute(parts[i])) {
            files.emplace_back(parts[i]);
            continue;
        }
        String path(parts[0]);
        if (path.View().back() != u'\\') path.Append(u'\\');
        path.Append(String(parts[i]));
        files.push_back(path);
    }
    return files;
}

}  // namespace pathbook
