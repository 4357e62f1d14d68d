#include "document/link_recognition.h"

#include "platform/path_char_type.h"
#include "runtime/ascii.h"

namespace pathbook {
namespace {

// Per ASCII unit: the path class in the low nibble, the URL class in the high one.
constexpr std::uint8_t kEnds = 0x00;
constexpr std::uint8_t kSpace = 0x11;  // space , ;
constexpr std::uint8_t kName = 0x33;
constexpr std::uint8_t kSep = 0x88;
constexpr std::uint8_t kUrlOnly = 0x30;  // : ?

constexpr std::uint8_t ClassifyAscii(unsigned unit) {
    if (unit < 0x20) return kEnds;
    switch (unit) {
        case ' ': case ',': case ';': return kSpace;
        case '/': case '\\': return kSep;
        case ':': case '?': return kUrlOnly;
        case '"': case '*': case '<': case '>': case '|': return kEnds;
        default: return kName;
    }
}

struct AsciiTable {
    std::uint8_t entries[128];
    constexpr AsciiTable() : entries() {
        for (unsigned unit = 0; unit < 128; ++unit) entries[unit] = ClassifyAscii(unit);
    }
};
constexpr AsciiTable kClasses;

// Case-insensitive on the low byte: the units may differ only in bit 0x20.
bool HasPrefix(const char16_t* text, std::size_t count, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != 0; ++i) {
        if (i >= count || ((text[i] ^ static_cast<unsigned char>(prefix[i])) & 0xDF) != 0) return false;
    }
    return true;
}


bool IsSlash(char16_t unit) { return unit == u'\\' || unit == u'/'; }

// The unit at `index`, or 0 where the text has ended.
char16_t UnitAt(const char16_t* text, std::size_t count, std::size_t index) {
    return index < count ? text[index] : char16_t{0};
}

// "." and ".." steps, each followed by a separator, ending at ">" or at the
// last separator. 0 when anything else follows the dots.
std::uint32_t RelativePrefix(const char16_t* text, std::uint32_t count) {
    std::uint32_t i = 0;
    while (i < count && text[i] == u'.') {
        ++i;
        if (i < count && text[i] == u'.') ++i;
        char16_t next = UnitAt(text, count, i);
        if (next == u'>') break;
        if (!IsSlash(next)) return 0;
        ++i;
    }
    return i;
}

}  // namespace

std::uint32_t IsPathChar(char16_t unit) {
    return unit < 128 ? kClasses.entries[unit] & 0x0F : platform::PathCharType(unit);
}

std::uint32_t IsUrlChar(char16_t unit) {
    return unit < 128 ? kClasses.entries[unit] >> 4 : platform::PathCharType(unit);
}

std::uint32_t MatchLink(const char16_t* text, std::uint32_t count) {
    if (count == 0) return 0;
    char16_t first = text[0];
    char16_t second = UnitAt(text, count, 1);
    std::uint32_t prefix = 0;
    if (first == u'\\' && second == u'\\') prefix = 2;
    if (first == u'/' && second == u'/') prefix = 2;
    if (first == u'h' || first == u'H') {
        if (HasPrefix(text, count, "http://")) prefix = 7;
        if (HasPrefix(text, count, "https://")) prefix = 8;
    }
    if ((first == u'f' || first == u'F') && HasPrefix(text, count, "ftp://")) prefix = 6;
    if ((first == u'm' || first == u'M') && HasPrefix(text, count, "mailto://")) prefix = 9;
    // Only the scheme rules above set a prefix longer than 2 before this point.
    bool url = prefix > 2;
    if (second == u':' && IsAsciiLetter(first)) prefix = 2;
    if (first == u'%' || first == u'#') prefix = 1;
    if (first == u'.') prefix = RelativePrefix(text, count);

    if (prefix == 0 || prefix > count) return 0;
    std::uint32_t end = prefix;
    while (end < count && (url ? IsUrlChar(text[end]) : IsPathChar(text[end])) != 0) ++end;
    return end;
}

LinkKind ClassifyLink(const char16_t* text) {
    std::size_t count = 0;
    while (text[count] != 0) ++count;
    return ClassifyLink(text, count);
}

LinkKind ClassifyLink(const char16_t* text, std::size_t count) {
    char16_t first = UnitAt(text, count, 0);
    char16_t second = UnitAt(text, count, 1);
    if (first == u'/' && second == u'/') return LinkKind::kFile;
    if (first == u'\\' && second == u'\\') return LinkKind::kFile;
    if ((first == u'f' || first == u'F') && HasPrefix(text, count, "ftp://")) return LinkKind::kFtp;
    if ((first == u'h' || first == u'H') && (HasPrefix(text, count, "http://") || HasPrefix(text, count, "https://"))) {
        return LinkKind::kHttp;
    }
    if ((first == u'm' || first == u'M') && HasPrefix(text, count, "mailto://")) return LinkKind::kMail;
    if (second == u':' && IsAsciiLetter(first) && IsSlash(UnitAt(text, count, 2))) return LinkKind::kFile;
    if (first == u'%' || first == u'.') return LinkKind::kFile;
    if (first == u'#') return LinkKind::kAnchor;
    return LinkKind::kNone;
}

}  // namespace pathbook
