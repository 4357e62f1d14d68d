#include "app/copy_data.h"

#include <cstring>

#include "navigation/fold_case.h"

namespace pathbook {

bool ReadOfferedPath(const void* data, std::size_t bytes, std::u16string_view* path) {
    *path = {};
    if (data == nullptr || bytes % 2 != 0 || bytes > 2 * kMaxOfferedPathUnits) return false;
    const char16_t* units = static_cast<const char16_t*>(data);
    std::size_t count = bytes / 2;
    for (std::size_t i = 0; i < count; ++i) {
        if (units[i] == 0) {
            *path = std::u16string_view(units, i);
            return true;
        }
    }
    return false;
}

bool OfferMatches(std::u16string_view offeredPath, CharsetId offeredCharset, const String& filePath,
                  CharsetId windowCharset) {
    if (filePath.Empty()) return false;
    if (offeredCharset != 0 && offeredCharset != windowCharset) return false;
    return EqualIgnoringCase(offeredPath, filePath.View());
}

}  // namespace pathbook
