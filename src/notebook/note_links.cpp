#include "notebook/note_links.h"

#include "document/document.h"
#include "document/keyword_definition.h"
#include "document/line.h"
#include "document/tokenizer.h"
#include "runtime/unit_scan.h"

namespace pathbook {
namespace {

// The ">" of the link whose "<" is at `open`: the walk of Document::LinkEndOf.
Column LinkEnd(const char16_t* units, const Attribute* words, UnitCount length, Column open) {
    Column at = open;
    while (units[at] != u'>' && at + 1 < length && (words[at + 1] & kLinkBit) != 0) ++at;
    return at;
}

// A line's units classified apart from any document, freed on scope exit.
class ClassifiedLine {
public:
    ClassifiedLine(const Tokenizer& tokenizer, std::u16string_view text)
        : line_(Line::Create(text.data(), static_cast<UnitCount>(text.size()))) {
        tokenizer.ClassifyLine(*line_);
    }
    ~ClassifiedLine() { Line::Destroy(line_); }
    ClassifiedLine(const ClassifiedLine&) = delete;
    ClassifiedLine& operator=(const ClassifiedLine&) = delete;
    const Line& Get() const { return *line_; }

private:
    Line* line_;
};

}  // namespace

const Tokenizer& NoteTokenizer() {
    static const std::unique_ptr<Tokenizer> tokenizer = ParseKeywordDefinition(kDefaultKeywordText);
    return *tokenizer;
}

void LinkCollector::AddLine(LineIndex line, const char16_t* units, const Attribute* words, UnitCount length,
                            std::vector<FoundLink>* links) {
    for (Column column = 0; column < length; ++column) {
        if (units[column] != u'<' || (words[column] & kLinkBit) == 0) continue;
        const Column close = LinkEnd(units, words, length, column);
        if (units[close] != u'>') continue;
        const std::u16string_view span(units + column + 1, close - column - 1);
        links->push_back({line, column, close, PrepareLink(span, baseLink_, noteFolder_)});
        if (CanBeBase(span)) baseLink_.assign(span);
        column = close;
    }
}

std::vector<FoundLink> CollectLinks(const NoteText& text, const Tokenizer& tokenizer, std::u16string_view noteFolder) {
    std::vector<FoundLink> links;
    LinkCollector collector(noteFolder);
    const std::u16string_view units = text.Units();
    const auto last = static_cast<std::int32_t>(units.size()) - 1;
    const search::UnitProbe openAngle = search::ProbeFor(u'<', false);
    // Only a line with a "<" can hold a link.
    for (std::int32_t at = search::FindUnitForward(units.data(), 0, last, openAngle); at >= 0;) {
        const LineIndex line = text.LineAt(static_cast<std::uint32_t>(at));
        const std::u16string_view lineText = text.Line(line);
        ClassifiedLine classified(tokenizer, lineText);
        collector.AddLine(line, classified.Get().Text(), classified.Get().Attributes(), classified.Get().Length(), &links);
        const auto next = static_cast<std::int32_t>(text.LineStart(line) + lineText.size() + 1);
        at = next > last ? -1 : search::FindUnitForward(units.data(), next, last, openAngle);
    }
    return links;
}

std::vector<FoundLink> CollectLinks(const Document& document, std::u16string_view noteFolder) {
    std::vector<FoundLink> links;
    LinkCollector collector(noteFolder);
    for (LineIndex line = 0; line < document.LineCount(); ++line) {
        collector.AddLine(line, document.LineText(line), document.LineTokens(line), document.LineLength(line), &links);
    }
    return links;
}

}  // namespace pathbook
