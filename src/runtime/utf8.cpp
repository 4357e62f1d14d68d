#include "runtime/utf8.h"

#include "runtime/surrogates.h"

namespace pathbook {
namespace {

// The range the first continuation byte must fall in for a lead byte, which
// rules out overlong forms, surrogates and values above U+10FFFF. Bytes that
// cannot lead (80-C1, F5-FF) have no trail.
struct LeadRule {
    std::uint8_t trailCount;
    std::uint8_t firstLow;
    std::uint8_t firstHigh;
};

LeadRule RuleFor(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
    if (lead == 0xE0) return {2, 0xA0, 0xBF};
    if (lead == 0xED) return {2, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
    if (lead == 0xF0) return {3, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
    if (lead == 0xF4) return {3, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

Utf8Step DecodeUtf8Step(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t lead = bytes[0];
    if (lead < 0x80) return {lead, 1};
    LeadRule rule = RuleFor(lead);
    char32_t c = lead & (0x7F >> (rule.trailCount + 1));
    std::size_t length = 1;
    for (; length <= rule.trailCount; ++length) {
        std::uint8_t low = length == 1 ? rule.firstLow : 0x80;
        std::uint8_t high = length == 1 ? rule.firstHigh : 0xBF;
        if (length >= count || bytes[length] < low || bytes[length] > high) break;
        c = (c << 6) | (bytes[length] & 0x3F);
    }
    bool complete = rule.trailCount > 0 && length == 1u + rule.trailCount;
    return {complete ? c : char32_t{kReplacementCharacter}, length};
}

char32_t NextCodePoint(const char16_t* units, std::size_t count, std::size_t* at) {
    const char16_t unit = units[(*at)++];
    if (!IsSurrogate(unit)) return unit;
    if (IsHighSurrogate(unit) && *at < count && IsLowSurrogate(units[*at])) {
        return CombineSurrogates(unit, units[(*at)++]);
    }
    return kReplacementCharacter;
}

std::size_t EncodeUtf8CodePoint(char32_t c, std::uint8_t out[4]) {
    if (c < 0x80) {
        out[0] = static_cast<std::uint8_t>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<std::uint8_t>(0xC0 | (c >> 6));
        out[1] = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<std::uint8_t>(0xE0 | (c >> 12));
        out[1] = static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<std::uint8_t>(0xF0 | (c >> 18));
    out[1] = static_cast<std::uint8_t>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
    return 4;
}

std::size_t EncodeUtf16CodePoint(char32_t c, char16_t out[2]) {
    if (c < 0x10000) {
        out[0] = static_cast<char16_t>(c);
        return 1;
    }
    c -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (c >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    return 2;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    char16_t units[2];
    for (std::size_t i = 0; i < utf8.size();) {
        Utf8Step step = DecodeUtf8Step(bytes + i, utf8.size() - i);
        out.append(units, EncodeUtf16CodePoint(step.codePoint, units));
        i += step.length;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    std::uint8_t bytes[4];
    for (std::size_t i = 0; i < utf16.size();) {
        std::size_t length = EncodeUtf8CodePoint(NextCodePoint(utf16.data(), utf16.size(), &i), bytes);
        out.append(reinterpret_cast<const char*>(bytes), length);
    }
    return out;
}

}  // namespace pathbook
