#include "view/line_measure.h"

namespace pathbook {

Pixels RowWidth(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount from, UnitCount to) {
    const std::int16_t* widths = metrics.PlainWidths();
    to = to < length ? to : length;
    Pixels x = 0;
    UnitCount i = from;
    for (; i + 4 <= to; i += 4) {
        const std::int32_t a = widths[text[i]];
        const std::int32_t b = widths[text[i + 1]];
        const std::int32_t c = widths[text[i + 2]];
        const std::int32_t d = widths[text[i + 3]];
        if ((a | b | c | d) < 0) break;
        x += Pixels{a} + b + c + d;
    }
    for (; i < to; ++i) {
        const std::int32_t width = widths[text[i]];
        x = width >= 0 ? x + width : metrics.Advance(text, i, length, x);
    }
    return x;
}

namespace {

// Takes units from `i` into a row that has reached `x` while they end at or
// before `wrapWidth`; `lineX` (when given) follows them in line coordinates.
// Plain units are taken four at a time.
UnitCount TakeRow(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount i, Pixels x,
                  Pixels wrapWidth, Pixels* lineX) {
    const std::int16_t* widths = metrics.PlainWidths();
    while (i + 4 <= length) {
        const std::int32_t a = widths[text[i]];
        const std::int32_t b = widths[text[i + 1]];
        const std::int32_t c = widths[text[i + 2]];
        const std::int32_t d = widths[text[i + 3]];
        if ((a | b | c | d) < 0) break;
        const Pixels step = Pixels{a} + b + c + d;
        if (x + step > wrapWidth) break;
        x += step;
        if (lineX != nullptr) *lineX += step;
        i += 4;
    }
    while (i < length) {
        const std::int32_t width = widths[text[i]];
        const Pixels next = width >= 0 ? x + width : metrics.Advance(text, i, length, x);
        if (next > wrapWidth) break;
        if (lineX != nullptr) *lineX = width >= 0 ? *lineX + width : metrics.Advance(text, i, length, *lineX);
        x = next;
        ++i;
    }
    return i;
}

}  // namespace

void BreakRows(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount start, Pixels wrapWidth,
               std::vector<UnitCount>& ends) {
    UnitCount i = start;
    while (i < length) {
        // The first unit is taken even when it alone is wider than the row.
        const Pixels x = metrics.Advance(text, i, length, 0);
        i = TakeRow(metrics, text, length, i + 1, x, wrapWidth, nullptr);
        ends.push_back(i);
    }
}

Pixels MeasureAndBreak(const Metrics& metrics, const char16_t* text, UnitCount length, Pixels wrapWidth,
                       std::vector<UnitCount>& ends) {
    Pixels lineX = 0;
    UnitCount i = 0;
    while (i < length) {
        const Pixels x = metrics.Advance(text, i, length, 0);
        lineX = metrics.Advance(text, i, length, lineX);
        i = TakeRow(metrics, text, length, i + 1, x, wrapWidth, &lineX);
        ends.push_back(i);
    }
    return lineX;
}

}  // namespace pathbook
