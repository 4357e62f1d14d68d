#include "runtime/decimal.h"

namespace pathbook {

std::int32_t ParseDecimal(const char16_t* text) {
    bool negative = *text == u'-';
    if (negative) ++text;
    std::uint32_t value = 0;  // unsigned, so that wrapping is defined
    for (; *text != 0; ++text) {
        if (*text < u'0' || *text > u'9') return 0;
        value = value * 10u + static_cast<std::uint32_t>(*text - u'0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::u16string FormatDecimal(std::int32_t value) {
    const std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value)
                                              : static_cast<std::uint32_t>(value);
    std::u16string text = FormatUnsignedDecimal(magnitude);
    if (value < 0) text.insert(text.begin(), u'-');
    return text;
}

std::u16string FormatUnsignedDecimal(std::uint64_t value) {
    char16_t digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + value % 10u);
        value /= 10u;
    } while (value != 0);
    std::u16string text;
    while (n > 0) text.push_back(digits[--n]);
    return text;
}

std::u16string FormatWithDecimal(std::u16string_view format, std::int32_t value) {
    const std::size_t at = format.find(u"%d");
    if (at == std::u16string_view::npos) return std::u16string(format);
    std::u16string text(format.substr(0, at));
    text += FormatDecimal(value);
    text += format.substr(at + 2);
    return text;
}

}  // namespace pathbook
