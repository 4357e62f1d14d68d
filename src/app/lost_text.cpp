#include "app/lost_text.h"

#include <string>

namespace pathbook {
namespace {

void AppendCharacter(std::u16string& out, char32_t c) {
    const bool shown = c >= 0x20 && (c < 0x7F || c > 0x9F) && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF;
    if (!shown) {
        out.push_back(u'\xFFFD');
    } else if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
}

void AppendHex(std::u16string& out, char32_t value) {
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    int shift = 28;
    while (shift > 12 && (value >> shift) == 0) shift -= 4;
    for (; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

void AppendNumber(std::u16string& out, std::uint64_t value) {
    for (char c : std::to_string(value)) out.push_back(static_cast<char16_t>(c));
}

void AppendOne(std::u16string& out, std::u16string_view format, const LostCharacter& lost) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char16_t next = i + 1 < format.size() ? format[i + 1] : u'\0';
        if (format[i] != u'%' || next < u'1' || next > u'4') {
            out.push_back(format[i]);
            continue;
        }
        ++i;
        if (next == u'1') AppendCharacter(out, lost.codePoint);
        if (next == u'2') AppendHex(out, lost.codePoint);
        if (next == u'3') AppendNumber(out, std::uint64_t{lost.line} + 1);
        if (next == u'4') AppendNumber(out, std::uint64_t{lost.column} + 1);
    }
}

}  // namespace

String DescribeLostCharacters(const String& format, const std::vector<LostCharacter>& lost) {
    std::u16string out;
    for (const LostCharacter& one : lost) {
        if (!out.empty()) out.append(u"\r\n");
        AppendOne(out, format.View(), one);
    }
    return String(out);
}

}  // namespace pathbook
