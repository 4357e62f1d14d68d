#include "platform/posix/utf8_codec.h"

namespace pathbook::platform::posix {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Stores units while they fit and counts all of them.
class UnitOut {
public:
    UnitOut(char16_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(char16_t unit) {
        if (needed_ < capacity_) out_[needed_] = unit;
        ++needed_;
    }
    std::size_t Needed() const { return needed_; }

private:
    char16_t* out_;
    std::size_t capacity_;
    std::size_t needed_ = 0;
};

class ByteOut {
public:
    ByteOut(std::uint8_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(std::uint32_t byte) {
        if (needed_ < capacity_) out_[needed_] = static_cast<std::uint8_t>(byte);
        ++needed_;
    }
    std::size_t Needed() const { return needed_; }

private:
    std::uint8_t* out_;
    std::size_t capacity_;
    std::size_t needed_ = 0;
};

// The range the first continuation byte must fall in for a lead byte, which
// rules out overlong forms, surrogates and values above U+10FFFF.
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

void PutCodePoint(UnitOut& out, std::uint32_t c) {
    if (c < 0x10000) {
        out.Put(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.Put(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.Put(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

}  // namespace

std::size_t DecodeUtf8(const std::uint8_t* bytes, std::size_t count, char16_t* out, std::size_t capacity) {
    UnitOut sink(out, capacity);
    std::size_t i = 0;
    while (i < count) {
        std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            sink.Put(lead);
            ++i;
            continue;
        }
        LeadRule rule = RuleFor(lead);
        std::uint32_t c = lead & (0x7F >> (rule.trailCount + 1));
        std::size_t j = i + 1;
        for (std::uint32_t k = 0; k < rule.trailCount; ++k, ++j) {
            std::uint8_t low = k == 0 ? rule.firstLow : 0x80;
            std::uint8_t high = k == 0 ? rule.firstHigh : 0xBF;
            if (j >= count || bytes[j] < low || bytes[j] > high) break;
            c = (c << 6) | (bytes[j] & 0x3F);
        }
        bool complete = rule.trailCount > 0 && j == i + 1 + rule.trailCount;
        if (complete) {
            PutCodePoint(sink, c);
        } else {
            sink.Put(kReplacement);
        }
        i = j;
    }
    return sink.Needed();
}

std::size_t EncodeUtf8(const char16_t* units, std::size_t count, std::uint8_t* out, std::size_t capacity) {
    ByteOut sink(out, capacity);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        if (c < 0x80) {
            sink.Put(c);
        } else if (c < 0x800) {
            sink.Put(0xC0 | (c >> 6));
            sink.Put(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            sink.Put(0xE0 | (c >> 12));
            sink.Put(0x80 | ((c >> 6) & 0x3F));
            sink.Put(0x80 | (c & 0x3F));
        } else {
            sink.Put(0xF0 | (c >> 18));
            sink.Put(0x80 | ((c >> 12) & 0x3F));
            sink.Put(0x80 | ((c >> 6) & 0x3F));
            sink.Put(0x80 | (c & 0x3F));
        }
    }
    return sink.Needed();
}

}  // namespace pathbook::platform::posix
