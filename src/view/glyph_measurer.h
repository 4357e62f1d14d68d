// The font seam of the view: what the window layer's painter measures with its
// device context. The portable core asks each unit at most once (pairs once per
// pair) and keeps the answers in Metrics.
#pragma once

#include <cstdint>

namespace pathbook {

class GlyphMeasurer {
public:
    virtual ~GlyphMeasurer() = default;
    // Advance width in pixels of one UTF-16 unit drawn alone (also a lone surrogate).
    virtual std::int32_t UnitWidth(char16_t unit) = 0;
    // Advance width of a surrogate pair drawn as one character.
    virtual std::int32_t PairWidth(char16_t high, char16_t low) = 0;
    // Height of a display row in pixels.
    virtual std::int32_t LineHeight() = 0;
};

}  // namespace pathbook
