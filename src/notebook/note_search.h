// Finding a pattern in a note as the find dialog finds it: the searcher of the
// find options (search/make_searcher.h), and the matches repeated Find Next
// selects from the note's start, each search starting one unit after the
// start of the match before (so "aa" is found twice in "aaa").
//
// A plain text holds no line break, so its matches never span lines: it is
// searched for in the note's whole block of units at once (note_text.h). A
// regular expression is run line by line, as the editor runs it.
//
// Before an indexed note is searched, MayHold can rule it out from the pairs of
// units its text holds (note_grams.h); regular expressions are not ruled out.
//
// Before a file is decoded, MayMatch can rule it out from its bytes: a plain
// text can only be found where its bytes are, in UTF-8 for a UTF-8 file and,
// for an ASCII text, in any encoding that keeps ASCII bytes as they are. A
// "?" is left out of that rule (some decoders make one of an unmappable
// character), and so is EUC-JP with a shift or escape byte (which may turn
// ASCII bytes into other characters, or sit between two of them).
// Tested by tests/unit/notebook/note_search_test.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/doc_pos.h"
#include "notebook/note_grams.h"
#include "notebook/note_text.h"
#include "search/find_options.h"
#include "search/searcher.h"
#include "textfile/charset.h"

namespace pathbook {

struct NoteMatch {
    LineIndex line = 0;
    Column start = 0;
    Column end = 0;  // exclusive
};

// Horspool's search for a byte string (ASCII letters match either case when
// folding): each window is tested from its last byte, and a mismatch moves
// the window by what that byte allows, often the needle's whole length.
class ByteFinder {
public:
    ByteFinder(std::string_view needle, bool foldAscii);
    bool Empty() const { return needle_.empty(); }
    // Whether the needle occurs in `bytes` (an empty needle always does).
    bool Occurs(const std::uint8_t* bytes, std::size_t size) const;

private:
    std::string needle_;     // folded when foldAscii_
    bool foldAscii_;
    std::size_t skip_[256];  // by a window's last byte: how far the window may move
};

class NoteSearcher {
public:
    // An empty pattern finds nothing, as in the find dialog.
    NoteSearcher(std::u16string_view pattern, search::FindOptions options);
    ~NoteSearcher();
    NoteSearcher(const NoteSearcher&) = delete;
    NoteSearcher& operator=(const NoteSearcher&) = delete;

    // Appends the matches in `text`, in order. Not for two threads at once:
    // a searcher keeps state while it runs.
    void FindAll(const NoteText& text, std::vector<NoteMatch>* matches);

    // False only when a note with these pairs cannot hold a match.
    bool MayHold(const NoteGrams& grams) const { return searcher_ && grams_.MayHold(grams); }

    // False only when a file of `charset` with these bytes cannot hold a match.
    bool MayMatch(const std::uint8_t* bytes, std::size_t size, CharsetId charset) const;

private:
    void FindInBlock(const NoteText& text, std::vector<NoteMatch>* matches);
    void FindByLine(const NoteText& text, std::vector<NoteMatch>* matches);

    std::unique_ptr<search::Searcher> searcher_;  // null: nothing can match
    bool regExp_;
    bool ignoreCase_;
    GramQuery grams_;     // the plain text's pairs; none for a regular expression
    ByteFinder bytes_;    // the plain text in UTF-8; empty: no byte rule
    bool ascii_ = false;  // the plain text is ASCII without "?"
};

}  // namespace pathbook
