#include "document/document.h"

#include <algorithm>

#include "document/keyword_definition.h"
#include "document/line_splitter.h"
#include "document/pending_load.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kInitialLineSlots = 40;

UnitCount PieceLength(std::u16string_view piece) { return Line::CheckedLength(piece.size()); }

// `pos` (at or after `from`) moved along with the text from `from` to `to`.
DocPos Shift(DocPos pos, DocPos from, DocPos to) {
    if (pos.line == from.line) return DocPos::At(to.line, to.column + (pos.column - from.column));
    return DocPos::At(to.line + (pos.line - from.line), pos.column);
}

}  // namespace

Document::Document() : lines_(kInitialLineSlots), tokenizer_(ParseKeywordDefinition({})) {
    lines_.Insert(0, Line::Create(nullptr, 0));
    listeners_.reserve(2);
    ReclassifyLines(0, 0);
}

Document::~Document() = default;

UnitCount Document::LineLength(LineIndex line) const { return LineAt(line).Length(); }

const char16_t* Document::LineText(LineIndex line) const { return LineAt(line).Text(); }

const Attribute* Document::LineTokens(LineIndex line) const {
    Line& target = *lines_[std::min(line, LineCount() - 1)];
    if (!target.Finalized()) Tokenizer::FinalizeLine(target);
    return target.Attributes();
}

void Document::Clamp(DocPos& pos) const {
    pos.line = std::min(pos.line, LineCount() - 1);
    pos.column = std::min(pos.column, lines_[pos.line]->Length());
}

TextSize Document::RangeLength(DocPos from, DocPos to) const {
    Clamp(from);
    Clamp(to);
    if (to < from) std::swap(from, to);
    if (from.line == to.line) return to.column - from.column;
    TextSize length = TextSize{lines_[from.line]->Length() - from.column} + 2;
    for (LineIndex line = from.line + 1; line < to.line; ++line) length += TextSize{lines_[line]->Length()} + 2;
    return length + to.column;
}

void Document::CopyRange(char16_t* buffer, DocPos from, DocPos to) const {
    Clamp(from);
    Clamp(to);
    if (to < from) std::swap(from, to);
    for (LineIndex line = from.line;; ++line) {
        const Line& source = *lines_[line];
        Column start = line == from.line ? from.column : 0;
        Column end = line == to.line ? to.column : source.Length();
        buffer = std::copy(source.Text() + start, source.Text() + end, buffer);
        if (line == to.line) break;
        *buffer++ = u'\r';
        *buffer++ = u'\n';
    }
    *buffer = 0;
}

std::u16string Document::CopyRange(DocPos from, DocPos to) const {
    std::u16string text(static_cast<std::size_t>(RangeLength(from, to)), u'\0');
    CopyRange(text.data(), from, to);
    return text;
}

void Document::InsertText(DocPos& pos, std::u16string_view text, DocPos& end) {
    Clamp(pos);
    LineSplitter pieces(text);
    bool isLast = false;
    std::u16string_view first = pieces.Next(isLast);
    Line*& target = lines_[pos.line];
    end = pos;
    if (isLast) {
        target = Line::Insert(target, pos.column, first.data(), PieceLength(first));
        end.column += PieceLength(first);
        ReclassifyLines(pos.line, end.line);
        return;
    }
    // The units behind the insertion point move to the end of the last new line.
    Line* split = target;
    const char16_t* tail = split->Text() + pos.column;
    UnitCount tailLength = split->Length() - pos.column;
    while (!isLast) {
        std::u16string_view piece = pieces.Next(isLast);
        Line* line = isLast ? Line::Create(piece.data(), PieceLength(piece), tail, tailLength)
                            : Line::Create(piece.data(), PieceLength(piece));
        lines_.Insert(++end.line, line);
        end.column = PieceLength(piece);
    }
    split->Truncate(pos.column);
    lines_[pos.line] = Line::Insert(split, pos.column, first.data(), PieceLength(first));
    ReclassifyLines(pos.line, end.line);
}

void Document::DeleteRange(DocPos& from, DocPos& to, std::u16string& removed) {
    Clamp(from);
    Clamp(to);
    if (to < from) std::swap(from, to);
    removed = CopyRange(from, to);
    Line*& first = lines_[from.line];
    if (from.line == to.line) {
        first->Remove(from.column, to.column);
    } else {
        const Line& last = *lines_[to.line];
        first->Truncate(from.column);
        first = Line::Insert(first, from.column, last.Text() + to.column, last.Length() - to.column);
        lines_.Remove(from.line + 1, to.line - from.line);
    }
    ReclassifyLines(from.line, from.line);
}

DocPos Document::Change(DocPos& from, DocPos& to, std::u16string_view text, std::u16string& removed) {
    DeleteRange(from, to, removed);
    DocPos end = from;
    if (!text.empty()) {
        DocPos at = from;
        InsertText(at, text, end);
    }
    if (!pendingChange_) {
        pendingStart_ = from;
        pendingOldEnd_ = to;
        pendingNewEnd_ = end;
        pendingChange_ = true;
        // A command run by hand, outside Execute, Undo and Redo, is still heard.
        if (!editing_) FlushChange();
        return end;
    }
    // Fold this change into the edit's one update: the text behind the later
    // of the two ends is untouched by both, and maps back to the original.
    if (to <= pendingNewEnd_) {
        pendingNewEnd_ = Shift(pendingNewEnd_, to, end);
    } else {
        pendingOldEnd_ = Shift(to, pendingNewEnd_, pendingOldEnd_);
        pendingNewEnd_ = end;
    }
    pendingStart_ = std::min(pendingStart_, from);
    return end;
}

std::unique_ptr<EditCommand> Document::RunEdit(EditCommand& command) {
    const bool outer = !editing_;
    editing_ = true;
    std::unique_ptr<EditCommand> inverse = command.Execute(*this);
    if (!outer) return inverse;
    editing_ = false;
    FlushChange();
    return inverse;
}

void Document::FlushChange() {
    if (!pendingChange_) return;
    pendingChange_ = false;
    NotifyTextUpdate(pendingStart_, pendingOldEnd_, pendingNewEnd_, true);
}

void Document::ReclassifyLines(LineIndex first, LineIndex last) {
    last = std::min(last, LineCount() - 1);
    for (LineIndex line = first; line <= last; ++line) tokenizer_->ClassifyLine(*lines_[line]);
}

void Document::SetMissingPart(LineIndex line, Column from, Column to, bool missing) {
    Line& target = *lines_[std::min(line, LineCount() - 1)];
    to = std::min(to, target.Length());
    Attribute* words = target.Attributes();
    for (Column i = from; i < to; ++i) {
        words[i] = missing ? static_cast<Attribute>(words[i] | kMissingBit) : static_cast<Attribute>(words[i] & ~kMissingBit);
    }
}

void Document::SetKeywordDefinition(std::u16string_view text) {
    tokenizer_ = ParseKeywordDefinition(text);
    ReclassifyLines(0, LineCount() - 1);
    NotifyKeywordChange();
}

void Document::RemoveListener(DocListener* listener) {
    for (std::size_t i = listeners_.size(); i-- > 0;) {
        if (listeners_[i] == listener) {
            listeners_[i] = listeners_.back();
            listeners_.pop_back();
            return;
        }
    }
}

// Indexes, not iterators: a listener may add or remove listeners while called.
void Document::NotifyTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) {
    for (std::size_t i = 0; i < listeners_.size(); ++i) {
        listeners_[i]->OnTextUpdate(start, oldEnd, newEnd, byCommand);
    }
}

void Document::NotifyKeywordChange() {
    for (std::size_t i = 0; i < listeners_.size(); ++i) listeners_[i]->OnKeywordChange();
}

void Document::NotifyDirtyFlag() {
    bool modified = IsModified();
    for (std::size_t i = 0; i < listeners_.size(); ++i) listeners_[i]->OnDirtyFlagChange(modified);
}

bool Document::CheckInvariants() const {
    return LineCount() >= 1 && lines_.CheckInvariants() && undo_.CheckInvariants() && tokenizer_ != nullptr;
}

}  // namespace pathbook
