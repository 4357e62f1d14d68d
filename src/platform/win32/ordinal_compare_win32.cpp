#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/ordinal_compare.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

bool OrdinalEqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    // The call takes int lengths: longer texts go in pieces.
    for (std::size_t at = 0; at < a.size();) {
        const int count = static_cast<int>(std::min<std::size_t>(a.size() - at, INT_MAX));
        if (CompareStringOrdinal(win32::Wide(a.data() + at), count, win32::Wide(b.data() + at), count, TRUE) !=
            CSTR_EQUAL) {
            return false;
        }
        at += static_cast<std::size_t>(count);
    }
    return true;
}

char16_t OrdinalUpper(char16_t unit) {
    wchar_t upper = 0;
    const wchar_t in = static_cast<wchar_t>(unit);
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &in, 1, &upper, 1, nullptr, nullptr, 0) != 1) {
        return unit;
    }
    return static_cast<char16_t>(upper);
}

}  // namespace pathbook::platform
