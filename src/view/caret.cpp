#include "view/caret.h"

#include <algorithm>

#include "document/attributes.h"
#include "platform/program_folders.h"
#include "view/clipboard_text.h"
#include "view/ime_blocks.h"
#include "view/invalidation.h"

namespace pathbook {
namespace {

constexpr std::int64_t kCtrlRows = 3;
constexpr Column kFeedUnits = 256;  // units of context each side of the caret for the input method

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool IgnoredControl(char16_t unit) { return (unit < 0x20 && unit != u'\t' && unit != u'\r') || unit == 0x7F; }

// A window edge inside a line never splits a surrogate pair.
Column PairSafeStart(const char16_t* text, Column column) {
    return column > 0 && IsLow(text[column]) && IsHigh(text[column - 1]) ? column - 1 : column;
}

}  // namespace

Caret::Caret(Document& document, EditViewCore& view, CaretHost& host)
    : document_(document), view_(view), host_(host) {
    caret_ = ToView(DocPos());
    anchor_ = caret_;
    document_.AddListener(this);
}

Caret::~Caret() { document_.RemoveListener(this); }

void Caret::SetEvents(CaretEvents* events) { events_ = events != nullptr ? events : &defaultEvents_; }

DocPos Caret::SelectionStart() const { return std::min(caret_.pos, anchor_.pos); }
DocPos Caret::SelectionEnd() const { return std::max(caret_.pos, anchor_.pos); }

void Caret::InvalidateBetween(const ViewPos& a, const ViewPos& b) {
    for (const PixelRect& rect : CaretInvalidation(CurrentLayout(), view_.CurrentViewport(), a, b)) {
        host_.Invalidate(rect);
    }
}

void Caret::InvalidateLine(LineIndex line, Column from, Column to) {
    InvalidateBetween(ToView(DocPos::At(line, from)), ToView(DocPos::At(line, to)));
}

void Caret::MoveTo(const ViewPos& pos, bool extend) {
    if (extend) {
        InvalidateBetween(caret_, pos);
    } else {
        if (!SelectionEmpty()) InvalidateBetween(caret_, anchor_);
        anchor_ = pos;
    }
    caret_ = pos;
    ScrollCaretIntoView();
    PlaceSystemCaret();
    events_->OnCaretMove(caret_, anchor_);
}

void Caret::SetCaret(DocPos pos, bool extend) { MoveTo(ToView(pos), extend); }

void Caret::Relayout() {
    caret_ = ToView(caret_.pos);
    anchor_ = ToView(anchor_.pos);
    PlaceSystemCaret();
}

void Caret::ScrollCaretIntoView() {
    const Viewport now = view_.CurrentViewport();
    const Viewport wanted = ScrollToShow(CurrentLayout(), now, caret_);
    if (wanted.topRow != now.topRow || wanted.left != now.left) host_.ScrollTo(wanted);
}

void Caret::PlaceSystemCaret() {
    const Point point = SystemCaretPoint();
    host_.PlaceSystemCaret(point.x, point.y);
}

std::int32_t Caret::SystemCaretWidth() const { return insertMode_ ? 2 : CurrentLayout().Measures().XWidth(); }

Caret::Point Caret::SystemCaretPoint() const {
    const Layout& layout = CurrentLayout();
    const Viewport viewport = view_.CurrentViewport();
    Point point;
    point.x = ClientX(layout, viewport, caret_.x);
    // A caret scrolled under the margin is hidden left of the window.
    if (point.x > 0 && point.x < layout.TextLeft()) point.x = -layout.TextLeft();
    point.y = RowTop(layout, viewport, caret_.absRow);
    return point;
}

// Keyboard.

void Caret::Key(EditKey key, bool shift, bool ctrl) {
    switch (key) {
        case EditKey::kLeft:
            if (!SelectionEmpty() && !shift) return SetCaret(SelectionStart(), false);
            return SetCaret(document_.LeftOf(caret_.pos, ctrl), shift);
        case EditKey::kRight:
            if (!SelectionEmpty() && !shift) return SetCaret(SelectionEnd(), false);
            return SetCaret(document_.RightOf(caret_.pos, ctrl), shift);
        case EditKey::kUp: return MoveVertically(ctrl ? -kCtrlRows : -1, shift);
        case EditKey::kDown: return MoveVertically(ctrl ? kCtrlRows : 1, shift);
        case EditKey::kPageUp: return MoveVertically(-PageStep(), shift);
        case EditKey::kPageDown: return MoveVertically(PageStep(), shift);
        case EditKey::kHome: return KeyHome(shift, ctrl);
        case EditKey::kEnd: return KeyEnd(shift, ctrl);
        case EditKey::kInsert: return ToggleInsertMode();
        case EditKey::kBack: return KeyBack();
        case EditKey::kDelete: return KeyDelete();
        case EditKey::kOther: return;
    }
}

std::int64_t Caret::PageStep() const {
    const Layout& layout = CurrentLayout();
    return std::max<std::int64_t>(1, layout.ClientHeight() / layout.Measures().LineHeight());
}

void Caret::MoveVertically(std::int64_t rows, bool shift) { MoveTo(MoveRows(CurrentLayout(), caret_, rows), shift); }

void Caret::KeyHome(bool shift, bool ctrl) {
    if (ctrl) return SetCaret(DocPos(), shift);
    const LineIndex line = caret_.pos.line;
    const Column start = CurrentLayout().Span(line, caret_.rowInLine).start;
    // A continuation row's first position belongs to the row above.
    if (caret_.rowInLine == 0) return SetCaret(DocPos::At(line, start), shift);
    SetCaret(document_.RightOf(DocPos::At(line, start), false), shift);
}

void Caret::KeyEnd(bool shift, bool ctrl) {
    if (ctrl) return SetCaret(DocPos::At(kEndOfText, kEndOfText), shift);
    const LineIndex line = caret_.pos.line;
    SetCaret(DocPos::At(line, CurrentLayout().Span(line, caret_.rowInLine).end), shift);
}

void Caret::ToggleInsertMode() {
    insertMode_ = !insertMode_;
    host_.CaretShapeChanged();
}

void Caret::KeyBack() {
    if (readOnly_) return;
    if (!SelectionEmpty()) return DeleteSelection();
    DeleteRange(document_.LeftOf(caret_.pos, false), caret_.pos);
}

void Caret::KeyDelete() {
    if (readOnly_) return;
    if (!SelectionEmpty()) return DeleteSelection();
    DeleteRange(caret_.pos, document_.RightOf(caret_.pos, false));
}

void Caret::DeleteRange(DocPos from, DocPos to) {
    if (from == to) return;
    DeleteCommand command(from, to);
    document_.Execute(command);
}

void Caret::DeleteSelection() { DeleteRange(SelectionStart(), SelectionEnd()); }

void Caret::Char(char16_t unit) {
    if (readOnly_) return;
    const char16_t high = pendingHigh_;
    pendingHigh_ = 0;
    if (IsHigh(unit)) {
        pendingHigh_ = unit;
        return;
    }
    if (IsLow(unit)) {
        // A low half without its high half is dropped rather than stored alone.
        if (high == 0) return;
        const char16_t pair[2] = {high, unit};
        return TypeText(std::u16string_view(pair, 2));
    }
    if (IgnoredControl(unit)) return;
    if (unit == u'[') return TypeText(u"[]");
    if (unit == u'<') return TypeText(u"<>");
    TypeText(std::u16string_view(&unit, 1));
}

void Caret::TypeText(std::u16string_view text) {
    const bool overwrite = !insertMode_ && SelectionEmpty() && caret_.pos.column < document_.LineLength(caret_.pos.line);
    if (overwrite) caret_ = ToView(document_.RightOf(caret_.pos, false));
    ReplaceSelection(text);
    const bool bracketPair = text == u"[]" || text == u"<>";
    if (bracketPair) SetCaret(document_.LeftOf(caret_.pos, false), false);
}

void Caret::InputString(std::u16string_view text) {
    if (readOnly_) return;
    pendingHigh_ = 0;
    ReplaceSelection(text);
}

void Caret::ReplaceSelection(std::u16string_view text) {
    if (SelectionEmpty()) {
        if (text.empty()) return;
        InsertCommand command(caret_.pos, text);
        document_.Execute(command);
        return;
    }
    ReplaceCommand command(SelectionStart(), SelectionEnd(), text);
    document_.Execute(command);
}

void Caret::SelectAll() {
    SetCaret(DocPos(), false);
    SetCaret(DocPos::At(kEndOfText, kEndOfText), true);
}

// The document changed.

void Caret::OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) {
    const bool wasSelection = start == SelectionStart() && oldEnd == SelectionEnd();
    if (!SelectionEmpty() && !(byCommand && wasSelection)) InvalidateBetween(caret_, anchor_);
    if (byCommand) {
        caret_ = ToView(newEnd);
        anchor_ = caret_;
        ScrollCaretIntoView();
        PlaceSystemCaret();
        events_->OnCaretMove(caret_, anchor_);
        return;
    }
    DocPos caret = caret_.pos;
    if (start < caret) {
        if (caret <= oldEnd) {
            caret = newEnd;
        } else if (caret.line == oldEnd.line) {
            caret = DocPos::At(newEnd.line, caret.column - oldEnd.column + newEnd.column);
        } else {
            caret.line = caret.line - oldEnd.line + newEnd.line;
        }
    }
    DocPos anchor = start < anchor_.pos ? caret : anchor_.pos;
    caret_ = ToView(caret);
    anchor_ = ToView(anchor);
    PlaceSystemCaret();
    events_->OnCaretMove(caret_, anchor_);
}

// Links.

bool Caret::OnLinkUnit(DocPos pos) const {
    if (pos.line >= document_.LineCount() || pos.column >= document_.LineLength(pos.line)) return false;
    return (document_.LineTokens(pos.line)[pos.column] & kLinkBit) != 0;
}

bool Caret::ActivateLink(DocPos pos, LinkCommand command, bool ctrl) {
    const LinkRequest request = PrepareLinkRequest(document_, pos, command, ctrl && SelectionEmpty(),
                                                   platform::ProgramFolderPath(platform::ProgramFolder::kCurrentDirectory));
    if (!request.valid) return false;
    for (const LinkRequest& running : pending_) {
        if (running.line == request.line && running.open == request.open && running.spanText == request.spanText) {
            return true;
        }
    }
    pending_.push_back(request);
    host_.CursorChanged();
    host_.StartLinkResolution(request);
    return true;
}

void Caret::FinishLinkActivation(const LinkRequest& request, const LinkResult& result) {
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                  [&](const LinkRequest& running) {
                                      return running.line == request.line && running.open == request.open &&
                                             running.spanText == request.spanText;
                                  }),
                   pending_.end());
    const LinkOutcome outcome = DecideLinkOutcome(document_, request, result);
    if (outcome.stillThere) {
        if (outcome.clearTo > outcome.textStart) {
            document_.SetMissingPart(request.line, outcome.textStart, outcome.clearTo, false);
        }
        if (outcome.textEnd > outcome.clearTo) document_.SetMissingPart(request.line, outcome.clearTo, outcome.textEnd, true);
        if (outcome.open) events_->OnOpenLink(request.basePath, result.linkText);
        InvalidateLine(request.line, request.open, request.close + 1);
    }
    host_.ShowStatus(result.statusText);
    host_.CursorChanged();
}

bool Caret::ActivateLinkAtSelection(LinkCommand command) {
    const DocPos pos = SelectionStart();
    return OnLinkUnit(pos) && ActivateLink(pos, command, false);
}

LinkKind Caret::LinkKindAtCaret() const { return LinkKindAt(document_, SelectionStart()); }

void Caret::SelectLinkAt(DocPos pos) {
    const DocPos open = document_.LinkStartOf(pos);
    const DocPos close = document_.LinkEndOf(pos);
    SetCaret(open, false);
    SetCaret(DocPos::At(close.line, close.column + 1), true);
}

bool Caret::SelectPath(PathSearch search) {
    const DocPos from = SelectionStart();
    const DocPos to = SelectionEnd();
    const LineIndex lastLine = document_.LineCount() - 1;
    std::int64_t column = 0;
    LineIndex line = 0;
    bool forward = true;
    switch (search) {
        case PathSearch::kNextOnLine: line = to.line, column = static_cast<std::int64_t>(to.column) + 2; break;
        case PathSearch::kPreviousOnLine:
            line = from.line, column = static_cast<std::int64_t>(from.column) - 2, forward = false;
            break;
        case PathSearch::kNextLine:
            if (to.line >= lastLine) return false;
            line = to.line + 1, column = 0;
            break;
        case PathSearch::kPreviousLine:
            if (from.line == 0) return false;
            line = from.line - 1, column = static_cast<std::int64_t>(document_.LineLength(line)) - 1, forward = false;
            break;
    }
    if (forward) {
        for (;; ++line, column = 0) {
            const Attribute* words = document_.LineTokens(line);
            for (std::int64_t c = column; c < document_.LineLength(line); ++c) {
                if ((words[c] & kLinkBit) != 0) return SelectLinkAt(DocPos::At(line, static_cast<Column>(c))), true;
            }
            if (line == lastLine) return false;
        }
    }
    for (;; --line) {
        const Attribute* words = document_.LineTokens(line);
        for (std::int64_t c = std::min<std::int64_t>(column, document_.LineLength(line) - 1); c >= 0; --c) {
            if ((words[c] & kLinkBit) != 0) return SelectLinkAt(DocPos::At(line, static_cast<Column>(c))), true;
        }
        if (line == 0) return false;
        column = static_cast<std::int64_t>(document_.LineLength(line - 1)) - 1;
    }
}

// Clipboard.

void Caret::PasteText(const char16_t* block, std::size_t units) {
    if (readOnly_) return;
    const std::u16string text = PastedText(block, units, PasteGoesIntoLink(document_, SelectionStart(), SelectionEnd()));
    if (!text.empty()) ReplaceSelection(text);
}

void Caret::PasteFiles(const std::vector<std::u16string>& paths) {
    if (readOnly_) return;
    std::u16string list = FileListText(paths);
    if (list.empty()) return;
    InsertCommand command(caret_.pos, std::move(list));
    document_.Execute(command);
}

// Mouse.

bool Caret::InMargin(std::int32_t x) const { return x < CurrentLayout().TextLeft(); }

bool Caret::LeftOfSeparator(std::int32_t x) const {
    const Layout& layout = CurrentLayout();
    return x < layout.TextLeft() - layout.Measures().DigitWidth();
}

bool Caret::InsideTextRect(std::int32_t x, std::int32_t y) const {
    const Layout& layout = CurrentLayout();
    return x >= layout.TextLeft() && x < layout.ClientWidth() && y >= 0 && y < layout.ClientHeight();
}

bool Caret::LinkAtPoint(std::int32_t x, std::int32_t y, DocPos& pos) const {
    if (InMargin(x)) return false;
    const HitTest hit = PointToView(CurrentLayout(), view_.CurrentViewport(), x, y, false);
    pos = hit.pos.pos;
    return hit.insideText && OnLinkUnit(pos);
}

void Caret::ExtendToPoint(std::int32_t x, std::int32_t y) {
    MoveTo(PointToView(CurrentLayout(), view_.CurrentViewport(), x, y, marginDrag_).pos, true);
}

bool Caret::LeftButtonDown(std::int32_t x, std::int32_t y, bool shift, bool ctrl) {
    host_.ShowStatus(std::u16string());
    downOpenedLink_ = false;
    DocPos link;
    if (singleClick_ && LinkAtPoint(x, y, link) && ActivateLink(link, LinkCommand::kOpen, ctrl)) {
        downOpenedLink_ = true;
        return false;
    }
    if (!shift) {
        if (!SelectionEmpty()) InvalidateBetween(caret_, anchor_);
        marginDrag_ = LeftOfSeparator(x);
        const ViewPos hit = PointToView(CurrentLayout(), view_.CurrentViewport(), x, y, false).pos;
        anchor_ = marginDrag_ ? ToView(DocPos::At(hit.pos.line, 0)) : hit;
        caret_ = anchor_;
    }
    lastX_ = x;
    lastY_ = y;
    ExtendToPoint(x, y);
    dragging_ = true;
    return true;
}

void Caret::MouseMove(std::int32_t x, std::int32_t y) {
    if (dragging_) {
        lastX_ = x;
        lastY_ = y;
        if (InsideTextRect(x, y)) ExtendToPoint(x, y);
    }
    DocPos link;
    const CursorShape shape = LinkAtPoint(x, y, link) ? CursorShape::kHand : CursorShape::kIBeam;
    if (shape == hoverShape_) return;
    hoverShape_ = shape;
    host_.CursorChanged();
}

void Caret::LeftButtonUp() {
    dragging_ = false;
    marginDrag_ = false;
}

void Caret::DragTick() {
    if (dragging_ && !InsideTextRect(lastX_, lastY_)) ExtendToPoint(lastX_, lastY_);
}

void Caret::DoubleClick(std::int32_t x, std::int32_t y, bool ctrl) {
    // The first click of this double click opened a link: the caret did not move there.
    if (downOpenedLink_) {
        downOpenedLink_ = false;
        return;
    }
    const Layout& layout = CurrentLayout();
    if (x <= layout.TextLeft() - layout.Measures().DigitWidth()) return;
    const DocPos caret = caret_.pos;
    if (caret.column == document_.LineLength(caret.line)) {
        SetCaret(DocPos::At(caret.line, 0), false);
        return SetCaret(caret, true);
    }
    DocPos link;
    if (!singleClick_ && LinkAtPoint(x, y, link) && ActivateLink(link, LinkCommand::kOpen, ctrl)) return;
    const DocPos start = document_.WordStartOf(caret);
    SetCaret(start, false);
    SetCaret(document_.RightOf(start, true), true);
}

void Caret::RightButtonDown(std::int32_t x, std::int32_t y) {
    const ViewPos hit = PointToView(CurrentLayout(), view_.CurrentViewport(), x, y, false).pos;
    if (!SelectionEmpty() && SelectionStart() <= hit.pos && hit.pos <= SelectionEnd()) return;
    MoveTo(hit, false);
}

CursorShape Caret::Cursor() const { return pending_.empty() ? hoverShape_ : CursorShape::kBusy; }

// Input method.

Caret::Range Caret::ReconversionRange() const {
    Range range{SelectionStart(), SelectionEnd()};
    if (!SelectionEmpty()) {
        if (range.from.line != range.to.line) range.to = range.from;
        return range;
    }
    DocPos at = caret_.pos;
    if (at.column == document_.LineLength(at.line) && at.column > 0) at.column = at.column - 1;
    range.from = document_.WordStartOf(at);
    range.to = range.from.column < document_.LineLength(at.line) ? document_.RightOf(range.from, true) : range.from;
    return range;
}

std::vector<std::uint8_t> Caret::ReconversionBlock() const {
    const Range range = ReconversionRange();
    if (range.from == range.to) return {};
    const std::u16string text = document_.CopyRange(range.from, range.to);
    return ReconvertBlock(text, 0, static_cast<std::uint32_t>(text.size()));
}

void Caret::StartReconversion() {
    const Range range = ReconversionRange();
    if (range.from == range.to) return;
    if (SelectionEmpty()) {
        SetCaret(range.to, false);
        return SetCaret(range.from, true);
    }
    if (anchor_.pos < caret_.pos) {
        std::swap(caret_, anchor_);
        ScrollCaretIntoView();
        PlaceSystemCaret();
        events_->OnCaretMove(caret_, anchor_);
    }
}

std::vector<std::uint8_t> Caret::DocumentFeedBlock() const {
    const DocPos at = caret_.pos;
    const char16_t* text = document_.LineText(at.line);
    const Column length = document_.LineLength(at.line);
    const Column from = PairSafeStart(text, at.column > kFeedUnits ? at.column - kFeedUnits : 0);
    const Column to = PairSafeStart(text, std::min(length, at.column + kFeedUnits));
    return ReconvertBlock(std::u16string_view(text + from, to - from), at.column - from, 0);
}

Caret::CharPlace Caret::CharPosition(std::uint32_t index) const {
    const DocPos start = SelectionStart();
    const Column length = document_.LineLength(start.line);
    const Column column = start.column + std::min<Column>(index, length - start.column);
    const ViewPos place = ToView(DocPos::At(start.line, column));
    const Layout& layout = CurrentLayout();
    CharPlace result;
    result.x = ClientX(layout, view_.CurrentViewport(), place.x);
    result.y = RowTop(layout, view_.CurrentViewport(), place.absRow);
    result.lineHeight = layout.Measures().LineHeight();
    return result;
}

}  // namespace pathbook
