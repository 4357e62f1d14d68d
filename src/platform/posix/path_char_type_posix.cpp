#include "platform/path_char_type.h"

namespace pathbook::platform {

// The shell classifies every unit above the ASCII range as a long- and
// short-name character: letters of every script, ideographic spaces,
// surrogates alike. ASCII follows its own rules.
std::uint32_t PathCharType(char16_t unit) {
    constexpr std::uint32_t kLongName = 1;
    constexpr std::uint32_t kShortName = 2;
    constexpr std::uint32_t kSeparator = 8;
    if (unit >= 0x80) return kLongName | kShortName;
    if (unit < 0x20 || unit == u'"' || unit == u'<' || unit == u'>' || unit == u'|' || unit == u'*' ||
        unit == u'?') {
        return 0;
    }
    if (unit == u'\\' || unit == u'/' || unit == u':') return kSeparator;
    return kLongName | kShortName;
}

}  // namespace pathbook::platform
