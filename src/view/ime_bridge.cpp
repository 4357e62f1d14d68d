#include "view/ime_bridge.h"

#include <algorithm>

#include "runtime/surrogates.h"
#include "view/ime_blocks.h"

namespace pathbook {
namespace {

constexpr Column kFeedUnits = 256;  // units of context each side of the caret for the input method

// A window edge inside a line never splits a surrogate pair.
Column PairSafeStart(const char16_t* text, Column column) {
    return column > 0 && IsLowSurrogate(text[column]) && IsHighSurrogate(text[column - 1]) ? column - 1 : column;
}

}  // namespace

ImeBridge::Range ImeBridge::ReconversionRange() const {
    Range range{selection_.Start(), selection_.End()};
    if (!selection_.Empty()) {
        if (range.from.line != range.to.line) range.to = range.from;
        return range;
    }
    DocPos at = selection_.Position().pos;
    if (at.column == document_.LineLength(at.line) && at.column > 0) at.column = at.column - 1;
    range.from = document_.WordStartOf(at);
    range.to = range.from.column < document_.LineLength(at.line) ? document_.RightOf(range.from, true) : range.from;
    return range;
}

std::vector<std::uint8_t> ImeBridge::ReconversionBlock() const {
    const Range range = ReconversionRange();
    // A selection too long for a block is not copied at all (its line may be the whole file).
    if (range.from == range.to || range.to.column - range.from.column > kMaxImeBlockUnits) return {};
    const std::u16string text = document_.CopyRange(range.from, range.to);
    return ReconvertBlock(text, 0, text.size());
}

void ImeBridge::StartReconversion() {
    const Range range = ReconversionRange();
    if (range.from == range.to) return;
    if (selection_.Empty()) {
        selection_.SetCaret(range.to, false);
        return selection_.SetCaret(range.from, true);
    }
    if (selection_.Anchor().pos < selection_.Position().pos) {
        selection_.Place(selection_.Position(), selection_.Anchor());
        selection_.Reveal();
    }
}

std::vector<std::uint8_t> ImeBridge::DocumentFeedBlock() const {
    const DocPos at = selection_.Position().pos;
    const char16_t* text = document_.LineText(at.line);
    const Column length = document_.LineLength(at.line);
    const Column from = PairSafeStart(text, at.column > kFeedUnits ? at.column - kFeedUnits : 0);
    const Column to = PairSafeStart(text, std::min(length, at.column + kFeedUnits));
    return ReconvertBlock(std::u16string_view(text + from, to - from), at.column - from, 0);
}

ImeBridge::CharPlace ImeBridge::CharPosition(std::uint32_t index) const {
    const DocPos start = selection_.Start();
    const Column length = document_.LineLength(start.line);
    const Column column = start.column + std::min<Column>(index, length - start.column);
    const ViewPos place = selection_.ToView(DocPos::At(start.line, column));
    const Layout& layout = selection_.CurrentLayout();
    CharPlace result;
    result.x = ClientX(layout, selection_.CurrentViewport(), place.x);
    result.y = RowTop(layout, selection_.CurrentViewport(), place.absRow);
    result.lineHeight = layout.Measures().LineHeight();
    return result;
}

}  // namespace pathbook
