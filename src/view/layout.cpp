#include "view/layout.h"

#include <algorithm>

#include "document/line.h"

namespace pathbook {
namespace {

constexpr std::int32_t kMinDigits = 3;
constexpr std::int32_t kMaxDigits = 10;
// Room kept between the text and the window's right edge when wrapping there.
constexpr Pixels kEdgeSlack = 3;

std::int32_t DigitsOf(std::uint32_t count) {
    std::int32_t digits = 1;
    for (std::uint64_t limit = 10; count >= limit; limit *= 10) ++digits;
    return std::clamp(digits, kMinDigits, kMaxDigits);
}

}  // namespace

Layout::Layout(const Document& document, const Metrics& metrics) : document_(document), metrics_(&metrics) {
    ApplyGeometry();
    Rebuild(true);
}

void Layout::Configure(const Metrics& metrics, LayoutOptions options) {
    metrics_ = &metrics;
    options_ = options;
    ApplyGeometry();
    Rebuild(true);
}

void Layout::SetOptions(LayoutOptions options) {
    options_ = options;
    UpdateGeometry();
}

bool Layout::Resize(std::int32_t width, std::int32_t height) {
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
    const Pixels oldWrap = wrapWidth_;
    UpdateGeometry();
    return wrapWidth_ != oldWrap;
}

bool Layout::UpdateGeometry() {
    const std::int32_t oldLeft = textLeft_;
    const Pixels oldWrap = wrapWidth_;
    ApplyGeometry();
    if (oldWrap != wrapWidth_) Rebuild(false);
    return oldLeft != textLeft_ || oldWrap != wrapWidth_;
}

void Layout::ApplyGeometry() {
    digits_ = DigitsOf(document_.LineCount());
    const Pixels margin = options_.lineNumbers ? Pixels{digits_ + 1} * metrics_->DigitWidth() : 0;
    textLeft_ = margin + metrics_->XWidth() < clientWidth_ ? static_cast<std::int32_t>(margin) : 0;
    if (options_.wrap == kWrapAtWindowEdge && clientWidth_ == 0) {
        wrapWidth_ = kNoWrapWidth;  // no window size yet: breaking at one unit per row helps nobody
    } else if (options_.wrap == kWrapAtWindowEdge) {
        wrapWidth_ = std::max<Pixels>(Pixels{clientWidth_} - textLeft_ - kEdgeSlack, 1);
    } else if (options_.wrap > 0) {
        wrapWidth_ = Pixels{options_.wrap} * metrics_->XWidth();
    } else {
        wrapWidth_ = kNoWrapWidth;
    }
}

void Layout::BuildLine(LineIndex line, Pixels width, UnitCount keepRows, LineRows& rows) const {
    const UnitCount length = document_.LineLength(line);
    rows.width = width;
    if (width < wrapWidth_ || length == 0) {
        rows.ends.assign(1, length);
        return;
    }
    rows.ends.resize(keepRows);
    const UnitCount start = keepRows == 0 ? 0 : rows.ends.back();
    BreakRows(*metrics_, document_.LineText(line), length, start, wrapWidth_, rows.ends);
    if (rows.ends.empty()) rows.ends.push_back(length);
}

void Layout::MeasureLine(LineIndex line, LineRows& rows) const {
    const UnitCount length = document_.LineLength(line);
    const char16_t* text = document_.LineText(line);
    if (wrapWidth_ == kNoWrapWidth) {
        rows.width = RowWidth(*metrics_, text, length, 0, length);
        rows.ends.assign(1, length);
        return;
    }
    rows.ends.clear();
    rows.width = MeasureAndBreak(*metrics_, text, length, wrapWidth_, rows.ends);
    if (rows.ends.empty()) rows.ends.push_back(length);
}

void Layout::Rebuild(bool remeasure) {
    const LineIndex count = document_.LineCount();
    if (!remeasure) {
        // The widths stand; only the lines that reach the wrap width are broken.
        // Two threads may run this: reading the document's lines changes
        // nothing, and the metrics are shared (they measure nothing meanwhile).
        // Every unit was measured when its line's width was taken, so none
        // should be missing; if one is, the shared answers were wrong and the
        // lines are broken again on this thread alone, which measures it.
        auto breakLine = [&](LineIndex line, Pixels, std::vector<UnitCount>& ends) {
            if (count - line > kLinePrefetchDistance) document_.PrefetchLine(line + kLinePrefetchDistance);
            const UnitCount length = document_.LineLength(line);
            const std::size_t before = ends.size();
            BreakRows(*metrics_, document_.LineText(line), length, 0, wrapWidth_, ends);
            if (ends.size() == before) ends.push_back(length);
        };
        metrics_->BeginShared();
        rows_.Rewrap(wrapWidth_, breakLine, RowTable::Threads::kTwo);
        if (!metrics_->EndShared()) rows_.Rewrap(wrapWidth_, breakLine);
        return;
    }
    rows_.Assign(count, [&](LineIndex line, LineRows& rows) {
        if (count - line > kLinePrefetchDistance) document_.PrefetchLine(line + kLinePrefetchDistance);
        MeasureLine(line, rows);
    });
    widest_ = rows_.WidestLine();
}

LayoutEdit Layout::Update(DocPos start, DocPos oldEnd, DocPos newEnd) {
    LayoutEdit result;
    const LineIndex removed = oldEnd.line - start.line + 1;
    const LineIndex inserted = newEnd.line - start.line + 1;
    result.lineCountChanged = removed != inserted;
    bool widestShrank = false;
    for (LineIndex line = start.line; line < start.line + removed && line < rows_.LineCount(); ++line) {
        widestShrank = widestShrank || rows_.Width(line) >= widest_;
    }
    // Rows of the start line that end before the unit ahead of the edit keep
    // their ends: that unit may change its width, a high surrogate that gains
    // or loses its low half.
    UnitCount keepRows = 0;
    std::vector<UnitCount> kept;
    if (start.line < rows_.LineCount()) {
        keepRows = rows_.RowOfColumn(start.line, start.column > 0 ? start.column - 1 : 0);
        for (UnitCount row = 0; row < keepRows; ++row) kept.push_back(rows_.RowEnd(start.line, row, 0));
    }
    Pixels widestNew = 0;
    rows_.Replace(start.line, removed, inserted, [&](LineIndex line, LineRows& rows) {
        if (line == start.line && keepRows > 0) {
            const UnitCount length = document_.LineLength(line);
            rows.ends = kept;
            BuildLine(line, RowWidth(*metrics_, document_.LineText(line), length, 0, length), keepRows, rows);
        } else {
            MeasureLine(line, rows);
        }
        widestNew = std::max(widestNew, rows.width);
    });
    widest_ = widestShrank && widestNew < widest_ ? rows_.WidestLine() : std::max(widest_, widestNew);
    result.marginChanged = result.lineCountChanged && UpdateGeometry();
    return result;
}

Layout::RowSpan Layout::Span(LineIndex line, UnitCount row) const {
    const UnitCount length = document_.LineLength(line);
    return RowSpan{rows_.RowStart(line, row), rows_.RowEnd(line, row, length)};
}

}  // namespace pathbook
