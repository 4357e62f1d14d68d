#include "view/view_pos.h"

#include <algorithm>

#include "runtime/int_math.h"
#include "runtime/surrogates.h"
#include "view/line_measure.h"

namespace pathbook {
namespace {


// Walks a row from its start while the x after a unit is at most `limit`; the
// first character of a continuation row is always taken, so the column never
// equals the row's start (that position belongs to the row above).
ViewPos TakeUnits(const Layout& layout, RowAddress address, RowIndex absRow, Pixels limit) {
    const Document& document = layout.Text();
    const char16_t* text = document.LineText(address.line);
    const UnitCount length = document.LineLength(address.line);
    const Layout::RowSpan span = layout.Span(address.line, address.row);
    ViewPos result;
    result.absRow = absRow;
    result.rowInLine = address.row;
    UnitCount column = span.start;
    Pixels x = 0;
    if (address.row > 0 && column < span.end) {
        x = layout.Measures().Advance(text, column, length, x);
        ++column;
        if (column < span.end && IsLowSurrogate(text[column]) && IsHighSurrogate(text[column - 1])) ++column;
    }
    while (column < span.end) {
        Pixels next = layout.Measures().Advance(text, column, length, x);
        if (next > limit) break;
        x = next;
        ++column;
    }
    result.pos = DocPos::At(address.line, column);
    result.x = x;
    return result;
}

}  // namespace

ViewPos DocToView(const Layout& layout, DocPos pos) {
    const Document& document = layout.Text();
    pos.line = std::min(pos.line, document.LineCount() - 1);
    const UnitCount length = document.LineLength(pos.line);
    pos.column = std::min(pos.column, length);
    ViewPos result;
    result.pos = pos;
    result.rowInLine = layout.Rows().RowOfColumn(pos.line, pos.column);
    result.absRow = layout.Rows().FirstRow(pos.line) + result.rowInLine;
    const UnitCount start = layout.Rows().RowStart(pos.line, result.rowInLine);
    result.x = RowWidth(layout.Measures(), document.LineText(pos.line), length, start, pos.column);
    result.rememberedX = result.x;
    return result;
}

HitTest PointToView(const Layout& layout, Viewport viewport, std::int32_t x, std::int32_t y, bool lineMode) {
    const RowTable& rows = layout.Rows();
    const Document& document = layout.Text();
    const std::int64_t target = static_cast<std::int64_t>(viewport.topRow) +
                                FloorDivide(y, layout.Measures().LineHeight());
    HitTest hit;
    hit.insideText = target >= 0 && static_cast<RowIndex>(target) < rows.TotalRows();
    if (lineMode) {
        const LineIndex last = document.LineCount() - 1;
        DocPos pos = DocPos::At(0, 0);
        if (target >= 0) {
            const LineIndex line = rows.LineOfRow(static_cast<RowIndex>(target)).line;
            pos = line >= last || !hit.insideText ? DocPos::At(last, document.LineLength(last)) : DocPos::At(line + 1, 0);
        }
        hit.pos = DocToView(layout, pos);
        return hit;
    }
    const RowIndex row = target < 0 ? 0 : std::min<RowIndex>(static_cast<RowIndex>(target), rows.TotalRows() - 1);
    const Pixels rowX = Pixels{x} + viewport.left - layout.TextLeft();
    hit.pos = TakeUnits(layout, rows.LineOfRow(row), row, rowX + 2);
    hit.pos.rememberedX = hit.pos.x;
    return hit;
}

ViewPos MoveRows(const Layout& layout, const ViewPos& from, std::int64_t n) {
    const RowIndex last = layout.Rows().TotalRows() - 1;
    RowIndex target;
    if (n < 0) {
        const RowIndex up = static_cast<RowIndex>(-(n + 1)) + 1;
        target = up > from.absRow ? 0 : from.absRow - up;
    } else {
        target = static_cast<RowIndex>(n) > last - std::min(from.absRow, last) ? last : from.absRow + static_cast<RowIndex>(n);
    }
    ViewPos result = TakeUnits(layout, layout.Rows().LineOfRow(target), target, from.rememberedX);
    result.rememberedX = from.rememberedX;
    return result;
}

Pixels LastRowX(const Layout& layout, LineIndex line) {
    const Document& document = layout.Text();
    line = std::min(line, document.LineCount() - 1);
    const Layout::RowSpan span = layout.Span(line, layout.Rows().RowCount(line) - 1);
    return RowWidth(layout.Measures(), document.LineText(line), document.LineLength(line), span.start, span.end);
}

std::int32_t RowTop(const Layout& layout, Viewport viewport, RowIndex row) {
    const std::int64_t height = layout.Measures().LineHeight();
    const std::int64_t limit = INT32_MAX / height + 1;
    if (row >= viewport.topRow) {
        return Saturate(static_cast<std::int64_t>(std::min<RowIndex>(row - viewport.topRow, limit)) * height);
    }
    return Saturate(-static_cast<std::int64_t>(std::min<RowIndex>(viewport.topRow - row, limit)) * height);
}

std::int32_t ClientX(const Layout& layout, Viewport viewport, Pixels x) {
    return Saturate(x - viewport.left + layout.TextLeft());
}

}  // namespace pathbook
