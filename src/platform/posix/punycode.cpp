#include "platform/posix/punycode.h"

#include <cstdint>
#include <vector>

#include "runtime/surrogates.h"

namespace pathbook::platform::posix {
namespace {

constexpr std::uint32_t kBase = 36;
constexpr std::uint32_t kTMin = 1;
constexpr std::uint32_t kTMax = 26;
constexpr std::uint32_t kSkew = 38;
constexpr std::uint32_t kDamp = 700;
constexpr std::uint32_t kInitialBias = 72;
constexpr std::uint32_t kInitialN = 128;
constexpr std::size_t kMaxLabel = 63;

// The dots IdnToAscii takes as label separators: full stop, ideographic,
// fullwidth and halfwidth ideographic full stops.
bool IsDot(char32_t c) { return c == U'.' || c == U'\u3002' || c == U'\uFF0E' || c == U'\uFF61'; }

char Digit(std::uint32_t d) { return static_cast<char>(d < 26 ? 'a' + d : '0' + (d - 26)); }

std::uint32_t Adapt(std::uint32_t delta, std::uint32_t points, bool first) {
    delta = first ? delta / kDamp : delta / 2;
    delta += delta / points;
    std::uint32_t k = 0;
    while (delta > ((kBase - kTMin) * kTMax) / 2) {
        delta /= kBase - kTMin;
        k += kBase;
    }
    return k + (kBase - kTMin + 1) * delta / (delta + kSkew);
}

// RFC 3492's encoder; false when a delta would overflow (no real label comes near).
bool Encode(const std::vector<char32_t>& label, std::string* out) {
    std::uint32_t basic = 0;
    for (char32_t c : label) {
        if (c < 0x80) {
            out->push_back(static_cast<char>(c >= U'A' && c <= U'Z' ? c + 32 : c));
            ++basic;
        }
    }
    if (basic > 0) out->push_back('-');
    std::uint32_t n = kInitialN;
    std::uint32_t delta = 0;
    std::uint32_t bias = kInitialBias;
    for (std::uint32_t handled = basic; handled < label.size(); ++delta, ++n) {
        char32_t next = 0x10FFFF;
        for (char32_t c : label) {
            if (c >= n && c < next) next = c;
        }
        if ((next - n) > (UINT32_MAX - delta) / (handled + 1)) return false;
        delta += (next - n) * (handled + 1);
        n = next;
        for (char32_t c : label) {
            if (c < n && ++delta == 0) return false;
            if (c != n) continue;
            std::uint32_t q = delta;
            for (std::uint32_t k = kBase;; k += kBase) {
                const std::uint32_t t = k <= bias ? kTMin : (k >= bias + kTMax ? kTMax : k - bias);
                if (q < t) break;
                out->push_back(Digit(t + (q - t) % (kBase - t)));
                q = (q - t) / (kBase - t);
            }
            out->push_back(Digit(q));
            bias = Adapt(delta, handled + 1, handled == basic);
            delta = 0;
            ++handled;
        }
    }
    return true;
}

bool AppendLabel(const std::vector<char32_t>& label, std::string* out) {
    if (label.empty()) return false;
    bool ascii = true;
    for (char32_t c : label) ascii = ascii && c < 0x80;
    std::string converted;
    if (ascii) {
        for (char32_t c : label) converted.push_back(static_cast<char>(c >= U'A' && c <= U'Z' ? c + 32 : c));
    } else if (converted = "xn--", !Encode(label, &converted)) {
        return false;
    }
    if (converted.size() > kMaxLabel) return false;
    out->append(converted);
    return true;
}

}  // namespace

std::string HostNameToPunycode(std::u16string_view name) {
    std::string out;
    std::vector<char32_t> label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char32_t c = name[i];
        if (IsHighSurrogate(name[i]) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
            c = CombineSurrogates(name[i], name[i + 1]);
            ++i;
        } else if (IsSurrogate(name[i]) || c == 0) {
            return {};
        }
        if (!IsDot(c)) {
            label.push_back(c);
            continue;
        }
        if (!AppendLabel(label, &out)) return {};
        label.clear();
        out.push_back('.');
    }
    // A final dot (a fully qualified name) ends the name without a label after it.
    if (label.empty() && !out.empty()) return out;
    if (!AppendLabel(label, &out)) return {};
    return out;
}

}  // namespace pathbook::platform::posix
