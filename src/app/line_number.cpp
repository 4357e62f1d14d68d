// Tested by tests/unit/app/line_number_test.cpp.
#include "app/line_number.h"

#include <limits>

namespace pathbook {

std::optional<std::int32_t> ParseLineNumber(std::u16string_view text) {
    constexpr std::u16string_view kBlanks = u" \t";
    std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (char16_t unit : text) {
        if (unit < u'0' || unit > u'9') return std::nullopt;
        value = value * 10 + (unit - u'0');
        if (value > kLargest) value = kLargest;
    }
    return static_cast<std::int32_t>(value);
}

LineIndex LineForNumber(std::int32_t number, LineIndex lineCount) {
    if (number < 1 || lineCount == 0) return 0;
    auto line = static_cast<LineIndex>(number - 1);
    return line < lineCount ? line : lineCount - 1;
}

}  // namespace pathbook
