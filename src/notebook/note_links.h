// The links of a note, read off the tokenizer's attribute words as the editor
// marks them, each with what a click would resolve (link_target.h). Lines are
// taken in order, so the base of a "." link is known when the link is reached:
// one pass over the note, whatever the number of links.
// Tested by tests/unit/notebook/note_links_test.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/attributes.h"
#include "document/doc_pos.h"
#include "notebook/link_target.h"
#include "notebook/note_text.h"

namespace pathbook {

class Document;
class Tokenizer;

struct FoundLink {
    LineIndex line = 0;
    Column open = 0;   // the "<"
    Column close = 0;  // the ">"
    ResolvableLink link;
};

class LinkCollector {
public:
    // `noteFolder`: the note's folder, ending in a separator.
    explicit LinkCollector(std::u16string_view noteFolder) : noteFolder_(noteFolder) {}

    // Appends the links of `line` (`length` units and their attribute words) to
    // `links`; lines must come in order, those without links may be left out.
    void AddLine(LineIndex line, const char16_t* units, const Attribute* words, UnitCount length,
                 std::vector<FoundLink>* links);

private:
    std::u16string noteFolder_;
    std::u16string baseLink_;  // the span of the last link that CanBeBase
};

// The tokenizer of the editor's documents (the default keyword definition),
// made once; safe to share between threads, since classifying only reads it.
const Tokenizer& NoteTokenizer();

// The links of `text`, its lines classified by `tokenizer`.
std::vector<FoundLink> CollectLinks(const NoteText& text, const Tokenizer& tokenizer, std::u16string_view noteFolder);

// The links of an open document, by its own attribute words.
std::vector<FoundLink> CollectLinks(const Document& document, std::u16string_view noteFolder);

}  // namespace pathbook
