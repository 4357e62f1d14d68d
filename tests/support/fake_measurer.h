// A fixed-width font for the view's tests, benchmarks and fuzzers: every unit
// is `width` pixels unless given a width of its own (wide units, U+1100 on, may
// share one); pairs measure `pairWidth`. Counts the questions.
#pragma once

#include <map>

#include "view/glyph_measurer.h"

namespace pathbook::test {

class FakeMeasurer : public GlyphMeasurer {
public:
    explicit FakeMeasurer(std::int32_t width = 8, std::int32_t height = 16) : width_(width), height_(height) {}
    void SetWidth(char16_t unit, std::int32_t width) { widths_[unit] = width; }
    void SetPairWidth(std::int32_t width) { pairWidth_ = width; }
    void SetWideWidth(std::int32_t width) { wideWidth_ = width; }

    std::int32_t UnitWidth(char16_t unit) override {
        ++unitQuestions;
        auto found = widths_.find(unit);
        if (found != widths_.end()) return found->second;
        return unit >= 0x1100 && wideWidth_ > 0 ? wideWidth_ : width_;
    }
    std::int32_t PairWidth(char16_t, char16_t) override {
        ++pairQuestions;
        return pairWidth_;
    }
    std::int32_t LineHeight() override { return height_; }

    int unitQuestions = 0;
    int pairQuestions = 0;

private:
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t pairWidth_ = 16;
    std::int32_t wideWidth_ = 0;  // 0: wide units are `width_` too
    std::map<char16_t, std::int32_t> widths_;
};

}  // namespace pathbook::test
