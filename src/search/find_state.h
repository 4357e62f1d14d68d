// FindState: the find-and-replace logic behind the find dialog and the Find
// Next / Find Prev commands, without any window. It keeps the texts, the
// options and the current searcher, which is rebuilt only when the texts, the
// options or the direction change. The commands work on a Document and the
// view's selection; the dialog and its messages are reached through a
// FindDialogPort. Tested by tests/unit/search/find_state_test.cpp.
#pragma once

#include <cstdint>
#include <memory>

#include "document/doc_pos.h"
#include "runtime/string.h"
#include "search/find_options.h"
#include "search/find_ports.h"
#include "search/searcher.h"

namespace pathbook {
class Document;
}

namespace pathbook::search {

// The view's selection: the anchor stays, the caret moves. Empty when equal.
struct Selection {
    DocPos anchor;
    DocPos caret;

    DocPos Start() const { return anchor < caret ? anchor : caret; }
    DocPos End() const { return anchor < caret ? caret : anchor; }
    bool Empty() const { return anchor == caret; }
};

class FindState {
public:
    explicit FindState(FindDialogPort& dialog) : dialog_(dialog) {}

    // The options as the settings file kept them, and back at the end.
    void SetOptions(const FindOptions& options);
    FindOptions Options() const { return FindOptions{ignoreCase_, regExp_}; }

    // Takes the dialog's texts and options; anything different from before
    // counts as a change. Nothing happens when no dialog is open.
    void ReadDialog();
    // The dialog reports an edit or a click on an option.
    void MarkChanged() { changed_ = true; }
    // The dialog was closed: the texts, options and searcher stay.
    void DialogClosed() { changed_ = false; }

    // Builds the searcher for `forward` if the texts, options or direction
    // changed. An empty search text leaves no searcher: there is nothing to find.
    void Prepare(bool forward);
    bool HasSearcher() const { return searcher_ != nullptr; }

    // Each searches the document and selects the match found (caret at its
    // end), or reports "Not Found." and leaves the selection. Without a
    // searcher they do nothing and return false.
    // From the selection start, or one unit after it when something is selected.
    bool FindNext(const Document& document, Selection& selection);
    // Matches that start before the selection start.
    bool FindPrev(const Document& document, Selection& selection);
    // Replaces the selection when it is exactly the next match, then selects
    // the match after it; otherwise only selects the next match. While the
    // document's editing is locked nothing is replaced: it walks the matches as
    // FindNext does.
    bool Replace(Document& document, Selection& selection);
    // Replaces every match of the text as it stands, as one undo step, and
    // reports the count. When something was replaced the caret goes behind the
    // last replacement and the dialog is closed. Returns the count. While the
    // document's editing is locked it changes nothing, reports the refusal and returns 0.
    std::int32_t ReplaceAll(Document& document, Selection& selection);

    // The text the dialog proposes when it opens over a selection: the
    // selection's first line, or the current search text when the searcher
    // finds it in that line.
    String ProposedFindText(const String& selectionText);

    const String& FindText() const { return findText_; }
    const String& ReplaceText() const { return replaceText_; }
    bool IgnoreCase() const { return ignoreCase_; }
    bool RegExp() const { return regExp_; }
    bool Forward() const { return forward_; }

private:
    void SelectMatch(DocPos from, DocPos to, Selection& selection) const;

    FindDialogPort& dialog_;
    String findText_;
    String replaceText_;
    bool ignoreCase_ = true;
    bool regExp_ = false;
    bool forward_ = true;   // the direction searcher_ was built for
    bool changed_ = false;  // texts or options changed since searcher_ was built
    std::unique_ptr<Searcher> searcher_;  // null until a non-empty text was prepared
};

}  // namespace pathbook::search
