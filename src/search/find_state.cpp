// Tested by tests/unit/search/find_state_test.cpp.
#include "search/find_state.h"

#include <string_view>

#include "document/document.h"
#include "document/edit_command.h"
#include "document/line_splitter.h"
#include "search/document_search.h"
#include "search/make_searcher.h"

namespace pathbook::search {
namespace {

// Where a replacement ends: `from` moved over the replacement text, whose
// line breaks (CR LF, CR or LF) each start a new line.
DocPos EndOfReplacement(DocPos from, std::u16string_view text) {
    LineSplitter splitter(text);
    bool isLast = false;
    std::u16string_view piece = splitter.Next(isLast);
    DocPos end{from.column + static_cast<Column>(piece.size()), from.line};
    while (!isLast) {
        piece = splitter.Next(isLast);
        end = {static_cast<Column>(piece.size()), end.line + 1};
    }
    return end;
}

// Maps positions of the text before Replace All to the text after the
// replacements made so far, which all lie before the position being mapped.
class ReplacementShift {
public:
    DocPos Map(DocPos original) {
        if (!started_ || original.line != originalLine_) {
            started_ = true;
            originalLine_ = original.line;
            tailLine_ = original.line + addedLines_;
            columnShift_ = 0;
        }
        return {static_cast<Column>(original.column + columnShift_), tailLine_};
    }
    // Records that [from, to) of the original line, mapped to `mappedFrom`, became `text`;
    // returns where the replacement ends.
    DocPos Replaced(DocPos mappedFrom, Column originalEnd, std::u16string_view text) {
        DocPos end = EndOfReplacement(mappedFrom, text);
        addedLines_ += end.line - mappedFrom.line;
        tailLine_ = end.line;
        columnShift_ = static_cast<std::int64_t>(end.column) - originalEnd;
        return end;
    }

private:
    bool started_ = false;
    LineIndex originalLine_ = 0;  // the line of the last mapped position
    LineIndex addedLines_ = 0;    // line breaks inserted so far
    LineIndex tailLine_ = 0;      // where the rest of originalLine_ now lies
    std::int64_t columnShift_ = 0;  // added to its columns
};

}  // namespace

void FindState::SetOptions(const FindOptions& options) {
    ignoreCase_ = options.ignoreCase;
    regExp_ = options.regExp;
    changed_ = true;
}

void FindState::ReadDialog() {
    FindDialogTexts texts;
    if (!dialog_.ReadTexts(texts)) return;
    if (texts.findText != findText_ || texts.replaceText != replaceText_ || texts.ignoreCase != ignoreCase_ ||
        texts.regExp != regExp_) {
        changed_ = true;
    }
    findText_ = texts.findText;
    replaceText_ = texts.replaceText;
    ignoreCase_ = texts.ignoreCase;
    regExp_ = texts.regExp;
}

void FindState::Prepare(bool forward) {
    changed_ = changed_ || forward != forward_;
    if (!changed_ && searcher_ != nullptr) return;
    forward_ = forward;
    changed_ = false;
    if (findText_.Empty()) {
        searcher_.reset();
        return;
    }
    searcher_ = MakeSearcher(findText_.Chars(), findText_.Length(), {regExp_, forward_, ignoreCase_});
}

void FindState::SelectMatch(DocPos from, DocPos to, Selection& selection) const {
    selection.anchor = from;
    selection.caret = to;
}

bool FindState::FindNext(const Document& document, Selection& selection) {
    if (searcher_ == nullptr) return false;
    DocPos from = selection.Start();
    if (!selection.Empty()) {
        from = from.column < document.LineLength(from.line) ? DocPos::At(from.line, from.column + 1)
                                                             : DocPos::At(from.line + 1, 0);
    }
    DocMatch match;
    if (!SearchDocumentForward(document, *searcher_, from, &match)) {
        dialog_.ReportNotFound();
        return false;
    }
    SelectMatch(match.from, match.to, selection);
    return true;
}

bool FindState::FindPrev(const Document& document, Selection& selection) {
    if (searcher_ == nullptr) return false;
    DocPos a = selection.Start();
    DocMatch match;
    bool found = false;
    if (a.line >= document.LineCount()) a = {document.LineLength(kEndOfText), document.LineCount() - 1};
    if (a.column > 0) {
        found = SearchDocumentBackward(document, *searcher_, {a.column - 1, a.line}, &match);
    } else if (a.line > 0) {
        found = SearchDocumentBackward(document, *searcher_, {document.LineLength(a.line - 1), a.line - 1}, &match);
    }
    if (!found) {
        dialog_.ReportNotFound();
        return false;
    }
    SelectMatch(match.from, match.to, selection);
    return true;
}

bool FindState::Replace(Document& document, Selection& selection) {
    if (searcher_ == nullptr) return false;
    if (document.EditLocked()) return FindNext(document, selection);
    DocMatch match;
    if (!SearchDocumentForward(document, *searcher_, selection.Start(), &match)) {
        dialog_.ReportNotFound();
        return false;
    }
    if (match.from == selection.Start() && match.to == selection.End()) {
        ReplaceCommand command(match.from, match.to, replaceText_.View());
        document.Execute(command);
        DocPos end = EndOfReplacement(match.from, replaceText_.View());
        if (!SearchDocumentForward(document, *searcher_, end, &match)) {
            selection = {end, end};
            dialog_.ReportNotFound();
            return false;
        }
    }
    SelectMatch(match.from, match.to, selection);
    return true;
}

std::int32_t FindState::ReplaceAll(Document& document, Selection& selection) {
    if (searcher_ == nullptr) return 0;
    if (document.EditLocked()) {
        dialog_.ReportLocked();
        return 0;
    }
    CommandGroup group;
    ReplacementShift shift;
    DocPos lastEnd;
    DocMatch match;
    for (DocPos from = DocPos::At(0, 0); SearchDocumentForward(document, *searcher_, from, &match); from = match.to) {
        DocPos mappedFrom = shift.Map(match.from);
        DocPos mappedTo = shift.Map(match.to);
        group.Add(std::make_unique<ReplaceCommand>(mappedFrom, mappedTo, replaceText_.View()));
        lastEnd = shift.Replaced(mappedFrom, match.to.column, replaceText_.View());
    }
    auto count = static_cast<std::int32_t>(group.Count());
    if (count > 0) {
        document.Execute(group);
        selection = {lastEnd, lastEnd};
        dialog_.CloseDialog();
    }
    dialog_.ReportReplaced(count);
    return count;
}

String FindState::ProposedFindText(const String& selectionText) {
    std::u16string_view text = selectionText.View();
    std::size_t lineEnd = text.find_first_of(u"\r\n");
    String firstLine(text.substr(0, lineEnd));
    std::int32_t start = 0;
    std::int32_t end = 0;
    if (searcher_ != nullptr && searcher_->Search(firstLine.Chars(), firstLine.Length(), 0, &start, &end)) {
        return findText_;
    }
    return firstLine;
}

}  // namespace pathbook::search
