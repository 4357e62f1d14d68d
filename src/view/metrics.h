// Character widths of one font, cached: a 65,536-entry table for single units
// and a map for surrogate pairs, plus the derived sizes every measurement
// divides by. Tested by layout_test.cpp.
//
// Widths are 64-bit (`Pixels`): a line of hundreds of millions of units must
// not wrap around. Every divisor (line height, width of "x", tab width) is at
// least 1, and a unit's width is clamped to 0..kMaxUnitWidth whatever the
// measurer answers.
#pragma once

#include <atomic>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "document/doc_pos.h"
#include "runtime/surrogates.h"
#include "view/glyph_measurer.h"

namespace pathbook {

using Pixels = std::int64_t;

constexpr std::int32_t kMaxUnitWidth = 0x7FFF;
// A tab advances to the next stop lying more than this many pixels beyond x.
constexpr Pixels kTabSlack = 4;


class Metrics {
public:
    // `tabWidth` is in widths of "x"; values below 1 count as 1.
    Metrics(GlyphMeasurer& measurer, std::int32_t tabWidth);
    Metrics(const Metrics&) = delete;
    Metrics& operator=(const Metrics&) = delete;

    std::int32_t LineHeight() const { return lineHeight_; }
    std::int32_t XWidth() const { return xWidth_; }
    std::int32_t TabWidth() const { return tabWidth_; }
    // The widest of the digits 0 to 9 (the line-number column).
    std::int32_t DigitWidth() const { return digitWidth_; }

    // Where a tab that starts at `x` (from the start of its row) ends.
    Pixels TabEnd(Pixels x) const { return (x + kTabSlack) / tabWidth_ * tabWidth_ + tabWidth_; }

    // x after unit `i` of `text` (`length` units) when that unit starts at `x`
    // in its row: a tab goes to its stop, a high surrogate followed by a low one
    // takes the pair's width and the low unit then adds 0.
    Pixels Advance(const char16_t* text, UnitCount i, UnitCount length, Pixels x) const {
        const std::int32_t width = table_[text[i]];
        return width >= 0 ? x + width : x + ContextWidth(text, i, length, x);
    }
    // The width table for tight loops: an entry >= 0 is the unit's width
    // wherever it stands; for any other entry call Advance.
    const std::int16_t* PlainWidths() const { return table_.data(); }
    // The table width of one unit alone (a tab: one tab width, as drawn in a run).
    std::int32_t UnitWidth(char16_t unit) const;
    // Reading from several threads at once. Between BeginShared and EndShared
    // nothing is measured and no cache is filled, so Advance and UnitWidth may
    // be called from any thread: a unit or pair not measured before answers 0
    // and makes EndShared return false, the answers given meanwhile being
    // wrong. Both are called by one thread, with no other reading.
    void BeginShared() const;
    bool EndShared() const;
    // The width every printable ASCII unit (U+0020 to U+007E) has when the
    // font gives them all the same one (a fixed-pitch font), else 0: such
    // runs are measured by counting.
    std::int32_t AsciiPitch() const { return asciiPitch_; }

private:
    static constexpr std::int16_t kUnmeasured = -1;
    static constexpr std::int16_t kContextual = -2;  // tab and surrogates: the width depends on neighbours

    Pixels ContextWidth(const char16_t* text, UnitCount i, UnitCount length, Pixels x) const;
    std::int32_t Measure(char16_t unit) const;
    std::int32_t LoneSurrogateWidth(char16_t unit) const;
    // While shared: notes that a width was not known and gives 0 in its place.
    std::int32_t Unknown() const;

    GlyphMeasurer& measurer_;
    // 65,536 entries: width, kUnmeasured or kContextual; 16 bits keep the
    // table at 128 KB, close to the processor for text of many scripts.
    mutable std::vector<std::int16_t> table_;
    mutable std::unordered_map<std::uint32_t, std::int32_t> pairs_;  // (high << 16 | low), or a lone surrogate -> width
    // Set and cleared by the one thread that shares the metrics, while no other
    // reads them; between the two, table_ and pairs_ stay as they are.
    mutable bool shared_ = false;
    mutable std::atomic<bool> missedShared_{false};  // a width was not known while shared
    std::int32_t lineHeight_;  // >= 1
    std::int32_t xWidth_;      // >= 1
    std::int32_t tabWidth_;    // >= 1
    std::int32_t digitWidth_;  // >= 1
    std::int32_t asciiPitch_;  // >= 0
};

}  // namespace pathbook
