#include "view/key_input.h"

#include <algorithm>

#include "runtime/surrogates.h"
#include "view/clipboard_text.h"

namespace pathbook {
namespace {

constexpr std::int64_t kCtrlRows = 3;

bool IgnoredControl(char16_t unit) { return (unit < 0x20 && unit != u'\t' && unit != u'\r') || unit == 0x7F; }

}  // namespace

void KeyInput::Key(EditKey key, bool shift, bool ctrl) {
    const ViewPos& caret = selection_.Position();
    switch (key) {
        case EditKey::kLeft:
            if (!selection_.Empty() && !shift) return selection_.SetCaret(selection_.Start(), false);
            return selection_.SetCaret(document_.LeftOf(caret.pos, ctrl), shift);
        case EditKey::kRight:
            if (!selection_.Empty() && !shift) return selection_.SetCaret(selection_.End(), false);
            return selection_.SetCaret(document_.RightOf(caret.pos, ctrl), shift);
        case EditKey::kUp: return MoveVertically(ctrl ? -kCtrlRows : -1, shift);
        case EditKey::kDown: return MoveVertically(ctrl ? kCtrlRows : 1, shift);
        case EditKey::kPageUp: return MoveVertically(-PageStep(), shift);
        case EditKey::kPageDown: return MoveVertically(PageStep(), shift);
        case EditKey::kHome: return KeyHome(shift, ctrl);
        case EditKey::kEnd: return KeyEnd(shift, ctrl);
        case EditKey::kInsert: return selection_.ToggleInsertMode();
        case EditKey::kBack: return KeyBack();
        case EditKey::kDelete: return KeyDelete();
        case EditKey::kOther: return;
    }
}

std::int64_t KeyInput::PageStep() const {
    const Layout& layout = selection_.CurrentLayout();
    return std::max<std::int64_t>(1, layout.ClientHeight() / layout.Measures().LineHeight());
}

void KeyInput::MoveVertically(std::int64_t rows, bool shift) {
    selection_.MoveTo(MoveRows(selection_.CurrentLayout(), selection_.Position(), rows), shift);
}

void KeyInput::KeyHome(bool shift, bool ctrl) {
    if (ctrl) return selection_.SetCaret(DocPos(), shift);
    const ViewPos& caret = selection_.Position();
    const LineIndex line = caret.pos.line;
    const Column start = selection_.CurrentLayout().Span(line, caret.rowInLine).start;
    // A continuation row's first position belongs to the row above.
    if (caret.rowInLine == 0) return selection_.SetCaret(DocPos::At(line, start), shift);
    selection_.SetCaret(document_.RightOf(DocPos::At(line, start), false), shift);
}

void KeyInput::KeyEnd(bool shift, bool ctrl) {
    if (ctrl) return selection_.SetCaret(DocPos::At(kEndOfText, kEndOfText), shift);
    const ViewPos& caret = selection_.Position();
    const LineIndex line = caret.pos.line;
    selection_.SetCaret(DocPos::At(line, selection_.CurrentLayout().Span(line, caret.rowInLine).end), shift);
}

void KeyInput::KeyBack() {
    if (!selection_.Empty()) return DeleteSelection();
    const DocPos caret = selection_.Position().pos;
    DeleteRange(document_.LeftOf(caret, false), caret);
}

void KeyInput::KeyDelete() {
    if (!selection_.Empty()) return DeleteSelection();
    const DocPos caret = selection_.Position().pos;
    DeleteRange(caret, document_.RightOf(caret, false));
}

void KeyInput::DeleteRange(DocPos from, DocPos to) {
    if (from == to) return;
    DeleteCommand command(from, to);
    document_.Execute(command);
}

void KeyInput::DeleteSelection() { DeleteRange(selection_.Start(), selection_.End()); }

void KeyInput::Char(char16_t unit) {
    if (document_.EditLocked()) return;
    const char16_t high = pendingHigh_;
    pendingHigh_ = 0;
    if (IsHighSurrogate(unit)) {
        pendingHigh_ = unit;
        return;
    }
    if (IsLowSurrogate(unit)) {
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

void KeyInput::TypeText(std::u16string_view text) {
    const ViewPos& caret = selection_.Position();
    const bool overwrite = !selection_.InsertMode() && selection_.Empty() &&
                           caret.pos.column < document_.LineLength(caret.pos.line);
    if (overwrite) selection_.Place(caret, selection_.ToView(document_.RightOf(caret.pos, false)));
    ReplaceSelection(text);
    const bool bracketPair = text == u"[]" || text == u"<>";
    if (bracketPair) selection_.SetCaret(document_.LeftOf(selection_.Position().pos, false), false);
}

void KeyInput::InputString(std::u16string_view text) {
    if (document_.EditLocked()) return;
    pendingHigh_ = 0;
    ReplaceSelection(text);
}

void KeyInput::ReplaceSelection(std::u16string_view text) {
    if (selection_.Empty()) {
        if (text.empty()) return;
        InsertCommand command(selection_.Position().pos, text);
        document_.Execute(command);
        return;
    }
    ReplaceCommand command(selection_.Start(), selection_.End(), text);
    document_.Execute(command);
}

void KeyInput::PasteText(const char16_t* block, std::size_t units) {
    if (document_.EditLocked()) return;
    const std::u16string text =
        PastedText(block, units, PasteGoesIntoLink(document_, selection_.Start(), selection_.End()));
    if (!text.empty()) ReplaceSelection(text);
}

void KeyInput::PasteFiles(const std::vector<std::u16string>& paths) {
    if (document_.EditLocked()) return;
    std::u16string list = FileListText(paths);
    if (list.empty()) return;
    InsertCommand command(selection_.Position().pos, std::move(list));
    document_.Execute(command);
}

}  // namespace pathbook
