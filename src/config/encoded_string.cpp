#include "config/encoded_string.h"

#include <cstdint>
#include <vector>

#include "platform/code_page.h"

namespace pathbook {
namespace {

// Holding means surviving the round trip, not only needing no default
// character: the system's best-fit mapping turns some letters into others
// ("\u0100" into "A") without reporting a default.
bool AnsiCodePageHolds(std::u16string_view value) {
    if (value.empty()) return true;
    platform::CodePage ansi = platform::AnsiCodePage();
    std::size_t needed = platform::EncodeCodePage(ansi, value.data(), value.size(), nullptr, 0, nullptr);
    std::vector<std::uint8_t> bytes(needed + 1);
    bool usedDefault = false;
    platform::EncodeCodePage(ansi, value.data(), value.size(), bytes.data(), bytes.size(), &usedDefault);
    if (usedDefault) return false;
    std::u16string back(platform::DecodeCodePage(ansi, bytes.data(), needed, nullptr, 0), u'\0');
    platform::DecodeCodePage(ansi, bytes.data(), needed, back.data(), back.size());
    return back == value;
}

// Digits count as themselves; letters count from 10 upward ("z" is 35, so a
// hostile digit only makes a strange unit); anything else is skipped.
bool DigitValue(char16_t c, std::uint32_t* value) {
    if (c >= u'0' && c <= u'9') *value = c - u'0';
    else if (c >= u'a' && c <= u'z') *value = 10 + (c - u'a');
    else if (c >= u'A' && c <= u'Z') *value = 10 + (c - u'A');
    else return false;
    return true;
}

}  // namespace

std::u16string EncodeSettingValue(std::u16string_view value) {
    // A plain value starting with "#" would read back as digits, so it is
    // stored in the "#" form too.
    bool readsAsDigits = !value.empty() && value.front() == u'#';
    if (!readsAsDigits && AnsiCodePageHolds(value)) return std::u16string(value);
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string stored(1, u'#');
    stored.reserve(1 + 4 * value.size());
    for (char16_t unit : value) {
        for (int shift = 12; shift >= 0; shift -= 4) stored.push_back(kDigits[(unit >> shift) & 0xF]);
    }
    return stored;
}

std::u16string DecodeSettingValue(std::u16string_view stored) {
    if (stored.empty() || stored.front() != u'#') return std::u16string(stored);
    std::u16string value;
    std::size_t groups = (stored.size() - 1) / 4;
    value.reserve(groups);
    for (std::size_t group = 0; group < groups; ++group) {
        std::uint32_t unit = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            std::uint32_t digit;
            if (DigitValue(stored[1 + group * 4 + i], &digit)) unit = unit * 16 + digit;
        }
        value.push_back(static_cast<char16_t>(unit));
    }
    return value;
}

}  // namespace pathbook
