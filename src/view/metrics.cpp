#include "view/metrics.h"

#include <algorithm>

namespace pathbook {
namespace {

std::int32_t ClampWidth(std::int32_t width) { return std::clamp(width, 0, kMaxUnitWidth); }

}  // namespace

Metrics::Metrics(GlyphMeasurer& measurer, std::int32_t tabWidth)
    : measurer_(measurer), table_(0x10000, kUnmeasured) {
    table_[u'\t'] = kContextual;
    std::fill(table_.begin() + 0xD800, table_.begin() + 0xE000, kContextual);
    for (char16_t unit = 0x20; unit < 0x7F; ++unit) {
        table_[unit] = static_cast<std::int16_t>(ClampWidth(measurer_.UnitWidth(unit)));
    }
    lineHeight_ = std::max(measurer_.LineHeight(), 1);
    xWidth_ = std::max<std::int32_t>(table_[u'x'], 1);
    tabWidth_ = static_cast<std::int32_t>(std::min<Pixels>(Pixels{std::max(tabWidth, 1)} * xWidth_, kMaxUnitWidth));
    asciiPitch_ = table_[u' '];
    for (char16_t unit = 0x20; unit < 0x7F; ++unit) asciiPitch_ = table_[unit] == asciiPitch_ ? asciiPitch_ : 0;
    digitWidth_ = 1;
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) digitWidth_ = std::max<std::int32_t>(digitWidth_, table_[digit]);
}

void Metrics::BeginShared() const {
    missedShared_.store(false, std::memory_order_relaxed);
    shared_ = true;
}

bool Metrics::EndShared() const {
    shared_ = false;
    return !missedShared_.load(std::memory_order_relaxed);
}

std::int32_t Metrics::Unknown() const {
    missedShared_.store(true, std::memory_order_relaxed);
    return 0;
}

std::int32_t Metrics::Measure(char16_t unit) const {
    if (shared_) return Unknown();
    const std::int32_t width = ClampWidth(measurer_.UnitWidth(unit));
    table_[unit] = static_cast<std::int16_t>(width);
    return width;
}

std::int32_t Metrics::UnitWidth(char16_t unit) const {
    if (unit == u'\t') return tabWidth_;
    if (IsLowSurrogate(unit) || IsHighSurrogate(unit)) return LoneSurrogateWidth(unit);
    const std::int32_t width = table_[unit];
    return width >= 0 ? width : Measure(unit);
}

Pixels Metrics::ContextWidth(const char16_t* text, UnitCount i, UnitCount length, Pixels x) const {
    const char16_t unit = text[i];
    if (unit == u'\t') return TabEnd(x) - x;
    if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
        const std::uint32_t key = std::uint32_t{unit} << 16 | text[i + 1];
        auto found = pairs_.find(key);
        if (found != pairs_.end()) return found->second;
        if (shared_) return Unknown();
        std::int32_t width = ClampWidth(measurer_.PairWidth(unit, text[i + 1]));
        pairs_.emplace(key, width);
        return width;
    }
    // The second half of a pair was counted with the first.
    if (IsLowSurrogate(unit) && i > 0 && IsHighSurrogate(text[i - 1])) return 0;
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) return LoneSurrogateWidth(unit);
    return Measure(unit);
}

// Lone surrogates share the pair map under keys below any pair's.
std::int32_t Metrics::LoneSurrogateWidth(char16_t unit) const {
    auto found = pairs_.find(unit);
    if (found != pairs_.end()) return found->second;
    if (shared_) return Unknown();
    std::int32_t width = ClampWidth(measurer_.UnitWidth(unit));
    pairs_.emplace(unit, width);
    return width;
}

}  // namespace pathbook
