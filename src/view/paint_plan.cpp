#include "view/paint_plan.h"

#include <algorithm>
#include <string>
#include <vector>

#include "document/attributes.h"
#include "runtime/decimal.h"
#include "runtime/int_math.h"
#include "runtime/surrogates.h"

namespace pathbook {
namespace {

// A long run is drawn in pieces: text output calls have length limits.
constexpr UnitCount kMaxRunUnits = 4096;
constexpr char16_t kControlUnit = 0x0001;
constexpr char16_t kEndMark[] = u"[EOF]";
constexpr std::uint32_t kEndMarkLength = 5;
constexpr Attribute kStyleBits = kStateBits | kLinkBit | kFileNameBit | kMissingBit;
constexpr Attribute kCommentValue = 1;
constexpr Attribute kCrimsonValue = 3;

enum class RunKind { kText, kTab, kControl };

RunKind KindOf(char16_t unit) {
    if (unit == u'\t') return RunKind::kTab;
    if (unit == kControlUnit) return RunKind::kControl;
    return RunKind::kText;
}


class RegionPainter {
public:
    RegionPainter(const Layout& layout, const PaintRequest& request, Canvas& canvas)
        : layout_(layout),
          request_(request),
          canvas_(canvas),
          metrics_(layout.Measures()),
          rows_(layout.Rows()),
          lineHeight_(metrics_.LineHeight()),
          textLeft_(layout.TextLeft()),
          xOffset_(Pixels{layout.TextLeft()} - request.viewport.left),
          clipLeft_(Pixels{request.update.left} - xOffset_),
          clipRight_(Pixels{request.update.right} - xOffset_) {
        const RowIndex top = request.viewport.topRow;
        const std::int64_t below = std::max<std::int64_t>(FloorDivide(request.update.top, lineHeight_), 0);
        firstRow_ = top + static_cast<RowIndex>(below);
        yLimit_ = std::min(request.update.bottom, RowTop(layout, request.viewport, rows_.TotalRows()));
        DocPos from = request.selectionFrom;
        DocPos to = request.selectionTo;
        if (to < from) std::swap(from, to);
        hasSelection_ = from != to;
        if (hasSelection_) {
            selectionFrom_ = DocToView(layout, from);
            selectionTo_ = DocToView(layout, to);
        }
    }

    void Paint() {
        const PixelRect& update = request_.update;
        if (update.Empty()) return;
        if (update.left < textLeft_) PaintMargin();
        if (update.right <= textLeft_) return;
        const bool clip = update.left < textLeft_;
        if (clip) canvas_.ClipTo(PixelRect{textLeft_, update.top, update.right, update.bottom});
        PaintRows();
        if (yLimit_ < update.bottom) {
            canvas_.Fill(PixelRect{std::max(update.left, textLeft_), std::max(yLimit_, update.top), update.right,
                                   update.bottom},
                         Brush::kBackground);
        }
        if (clip) canvas_.ClearClip();
    }

private:
    void PaintMargin() {
        const PixelRect& update = request_.update;
        canvas_.Fill(PixelRect{update.left, update.top, std::min(update.right, textLeft_), update.bottom},
                     Brush::kBackground);
        const std::int32_t digitWidth = metrics_.DigitWidth();
        canvas_.MarginLine(textLeft_ - digitWidth / 2, update.top, yLimit_);
        if (firstRow_ >= rows_.TotalRows()) return;
        RowAddress address = rows_.LineOfRow(firstRow_);
        LineIndex line = address.line + (address.row > 0 ? 1 : 0);
        std::vector<std::int32_t> advances;
        for (; line < rows_.LineCount(); ++line) {
            const std::int32_t top = RowTop(layout_, request_.viewport, rows_.FirstRow(line));
            if (top >= yLimit_) break;
            const std::u16string number = FormatUnsignedDecimal(line + 1ull);
            advances.assign(number.size(), digitWidth);
            const std::int64_t x = std::int64_t{textLeft_} - std::int64_t{digitWidth} * (number.size() + 1);
            canvas_.Text(Saturate(x), top, number.data(), advances.data(), static_cast<std::uint32_t>(number.size()),
                         TextFont::kNormal, kLinkColor);
        }
    }

    void PaintRows() {
        if (firstRow_ >= rows_.TotalRows()) return;
        RowAddress address = rows_.LineOfRow(firstRow_);
        RowIndex absRow = firstRow_;
        while (address.line < rows_.LineCount()) {
            const std::int32_t top = RowTop(layout_, request_.viewport, absRow);
            if (top >= yLimit_) break;
            PaintRow(address, absRow, top);
            ++absRow;
            if (++address.row >= rows_.RowCount(address.line)) {
                ++address.line;
                address.row = 0;
            }
        }
    }

    void PaintRow(RowAddress address, RowIndex absRow, std::int32_t top) {
        const Document& document = layout_.Text();
        const char16_t* text = document.LineText(address.line);
        const Attribute* words = document.LineTokens(address.line);
        const UnitCount length = document.LineLength(address.line);
        const Layout::RowSpan span = layout_.Span(address.line, address.row);
        Pixels x = 0;
        UnitCount i = span.start;
        bool pastRight = false;
        while (i < span.end && !pastRight) {
            const UnitCount runEnd = RunEnd(text, words, i, span.end);
            UnitCount first = i;
            Pixels firstX = x;
            advances_.clear();
            for (; i < runEnd; ++i) {
                if (x >= clipRight_ && !(IsLowSurrogate(text[i]) && i > 0 && IsHighSurrogate(text[i - 1]))) {
                    pastRight = true;
                    break;
                }
                const Pixels next = metrics_.Advance(text, i, length, x);
                if (next <= clipLeft_ && advances_.empty()) {
                    first = i + 1;
                    firstX = next;
                } else {
                    advances_.push_back(static_cast<std::int32_t>(std::min<Pixels>(next - x, INT32_MAX)));
                }
                x = next;
            }
            if (!advances_.empty()) DrawRun(text + first, words[first], firstX, top);
        }
        const Pixels rowEnd = pastRight ? clipRight_ : x;
        if (hasSelection_ && absRow >= selectionFrom_.absRow && absRow <= selectionTo_.absRow) {
            const Pixels left = absRow == selectionFrom_.absRow ? selectionFrom_.x : 0;
            const Pixels right = absRow == selectionTo_.absRow ? selectionTo_.x : rowEnd;
            PixelRect inverted{Saturate(std::max(xOffset_ + left, Pixels{textLeft_})), top,
                               Saturate(std::min(xOffset_ + right, Pixels{request_.update.right})),
                               top + lineHeight_ - 1};
            if (!inverted.Empty()) canvas_.Invert(inverted);
        }
        if (rowEnd < clipRight_) {
            canvas_.Fill(PixelRect{Saturate(xOffset_ + std::max(rowEnd, clipLeft_)), top, request_.update.right,
                                   top + lineHeight_},
                         Brush::kBackground);
        }
        const bool lastRow = address.line + 1 == rows_.LineCount() && address.row + 1 == rows_.RowCount(address.line);
        if (lastRow && request_.showEndMark && !pastRight) DrawEndMark(x, top);
    }

    // The end of the run from `i`: units of one kind and one style, within the row.
    UnitCount RunEnd(const char16_t* text, const Attribute* words, UnitCount i, UnitCount rowEnd) const {
        const RunKind kind = KindOf(text[i]);
        const Attribute style = words[i] & kStyleBits;
        const UnitCount limit = rowEnd - i > kMaxRunUnits ? i + kMaxRunUnits : rowEnd;
        UnitCount end = i + 1;
        while (end < limit && KindOf(text[end]) == kind && (words[end] & kStyleBits) == style) ++end;
        // A pair is not split between runs.
        if (end < rowEnd && IsLowSurrogate(text[end]) && IsHighSurrogate(text[end - 1])) ++end;
        return end;
    }

    void DrawRun(const char16_t* units, Attribute word, Pixels runX, std::int32_t top) {
        const std::uint32_t count = static_cast<std::uint32_t>(advances_.size());
        Pixels width = 0;
        for (std::int32_t advance : advances_) width += advance;
        const std::int32_t x = Saturate(xOffset_ + runX);
        const PixelRect& update = request_.update;
        PixelRect cell{std::max(x, update.left), top, Saturate(std::min(xOffset_ + runX + width, Pixels{update.right})),
                       top + lineHeight_};
        const bool link = (word & kLinkBit) != 0;
        const bool missing = link && (word & kMissingBit) != 0;
        const Attribute highlight = word & kStateBits;
        Brush brush = highlight == kCommentValue ? Brush::kComment
                      : highlight == kCrimsonValue ? Brush::kCrimson
                                                   : Brush::kBackground;
        if (link && !missing && (word & kFileNameBit) != 0) brush = Brush::kFileName;
        if (!cell.Empty()) canvas_.Fill(cell, brush);
        switch (KindOf(units[0])) {
            case RunKind::kControl: DrawControlMarks(x, top); break;
            case RunKind::kTab: DrawTabMarks(x, top); break;
            case RunKind::kText: {
                const TextFont font = !link ? TextFont::kNormal : missing ? TextFont::kMissingLink : TextFont::kLink;
                const ViewColor color = !link     ? (highlight == kCrimsonValue ? kInverseTextColor : kTextColor)
                                        : missing ? kMissingLinkColor
                                                  : kLinkColor;
                canvas_.Text(x, top, units, advances_.data(), count, font, color);
                break;
            }
        }
    }

    void DrawControlMarks(std::int32_t x, std::int32_t top) {
        for (std::int32_t advance : advances_) {
            if (std::int64_t{x} + advance - 1 >= 0) canvas_.ControlMark(x, top, advance, lineHeight_);
            x = Saturate(std::int64_t{x} + advance);
        }
    }

    void DrawTabMarks(std::int32_t x, std::int32_t top) {
        if (!request_.showTabMarks) return;
        const std::int32_t width = metrics_.UnitWidth(u'>');
        for (std::int32_t advance : advances_) {
            canvas_.Text(x, top, u">", &width, 1, TextFont::kNormal, kMarkColor);
            x = Saturate(std::int64_t{x} + advance);
        }
    }

    void DrawEndMark(Pixels x, std::int32_t top) {
        std::int32_t advances[kEndMarkLength];
        for (std::uint32_t i = 0; i < kEndMarkLength; ++i) advances[i] = metrics_.UnitWidth(kEndMark[i]);
        canvas_.Text(Saturate(xOffset_ + x), top, kEndMark, advances, kEndMarkLength, TextFont::kNormal, kMarkColor);
    }

    const Layout& layout_;
    const PaintRequest& request_;
    Canvas& canvas_;
    const Metrics& metrics_;
    const RowTable& rows_;
    const std::int32_t lineHeight_;
    const std::int32_t textLeft_;
    const Pixels xOffset_;    // client x of row x 0
    const Pixels clipLeft_;   // the update rectangle in row x
    const Pixels clipRight_;
    RowIndex firstRow_ = 0;   // the row that holds the update rectangle's top
    std::int32_t yLimit_ = 0;  // below the last row or the update rectangle, whichever is higher
    bool hasSelection_ = false;
    ViewPos selectionFrom_;
    ViewPos selectionTo_;
    std::vector<std::int32_t> advances_;  // of the run being drawn
};

}  // namespace

void PaintRegion(const Layout& layout, const PaintRequest& request, Canvas& canvas) {
    RegionPainter(layout, request, canvas).Paint();
}

}  // namespace pathbook
