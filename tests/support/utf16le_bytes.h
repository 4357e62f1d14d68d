// The UTF-16LE bytes of text, as the favourites files hold it.
#pragma once

#include <string>
#include <string_view>

namespace pathbook::test {

inline std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

}  // namespace pathbook::test
