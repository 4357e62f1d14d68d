#include "view/link_activation.h"

#include <algorithm>

#include "document/attributes.h"
#include "links/link_status.h"
#include "runtime/string.h"

namespace pathbook {
namespace {

constexpr std::size_t kMaxLinkUnits = 259;  // a path buffer without its NUL

bool EndsComponent(char16_t unit) { return unit == u'>' || IsPathChar(unit) == kPathSeparatorClass; }

// Units of the link text to keep when it is cut at the component that holds `pos`.
std::size_t ComponentCut(const Document& document, DocPos pos, Column first) {
    const Column partEnd = document.LinkPartEndOf(pos).column;
    const Column end = EndsComponent(document.LineText(pos.line)[partEnd]) ? partEnd : partEnd + 1;
    return end > first ? end - first : 0;
}

bool OnLink(const Document& document, DocPos pos) {
    if (pos.line >= document.LineCount() || pos.column >= document.LineLength(pos.line)) return false;
    return (document.LineTokens(pos.line)[pos.column] & kLinkBit) != 0;
}

// The units between the link's brackets; a link cut short by its line end keeps its last unit.
struct TextBounds {
    Column first;
    Column end;
};
TextBounds BoundsBetween(const char16_t* text, Column open, Column close) {
    const Column first = open + (text[open] == u'<' ? 1 : 0);
    return {first, std::max(first, text[close] == u'>' ? close : close + 1)};
}

}  // namespace

LinkKind LinkKindAt(const Document& document, DocPos pos) {
    if (!OnLink(document, pos)) return LinkKind::kNone;
    const char16_t* text = document.LineText(pos.line);
    const TextBounds bounds =
        BoundsBetween(text, document.LinkStartOf(pos).column, document.LinkEndOf(pos).column);
    return ClassifyLink(text + bounds.first, bounds.end - bounds.first);
}

LinkRequest PrepareLinkRequest(const Document& document, DocPos pos, LinkCommand command, bool cutAtComponent,
                               const std::u16string& linkBase) {
    LinkRequest request;
    if (!OnLink(document, pos)) return request;
    const char16_t* text = document.LineText(pos.line);
    request.valid = true;
    request.clicked = pos;
    request.line = pos.line;
    request.open = document.LinkStartOf(pos).column;
    request.close = document.LinkEndOf(pos).column;
    const TextBounds bounds = BoundsBetween(text, request.open, request.close);
    const Column first = bounds.first;
    request.spanText.assign(text + first, bounds.end - first);
    request.linkText = request.spanText;

    if (!request.linkText.empty() && request.linkText[0] == u'#') {
        request.basePath = linkBase;
    } else if (!request.linkText.empty() && request.linkText[0] == u'.') {
        // Only a link above that names a place of its own (a drive, a share,
        // a variable, a web address) is a base; else the note's folder is.
        String base;
        const bool baseAbove = document.FindLinkBefore(DocPos::At(pos.line, request.open), base) &&
                               ClassifyLink(base.Chars()) != LinkKind::kNone;
        request.basePath = baseAbove ? std::u16string(base.View()) : linkBase;
    }
    const bool isFile = ClassifyLink(request.linkText.data(), request.linkText.size()) == LinkKind::kFile;
    if (isFile && (cutAtComponent || command == LinkCommand::kOpenLocation)) {
        request.linkText.resize(std::min(request.linkText.size(), ComponentCut(document, pos, first)));
    }
    if (request.linkText.size() > kMaxLinkUnits) request.linkText.resize(kMaxLinkUnits);
    if (!request.linkText.empty() && request.linkText[0] == u'#') request.linkText[0] = u'\\';
    return request;
}

LinkResult ResolveLinkRequest(const LinkRequest& request) {
    const String basePath(request.basePath);
    String linkText(request.linkText);
    String statusText;
    LinkResult result;
    result.existing = ResolveLinkStatus(basePath, linkText, statusText);
    result.linkText.assign(linkText.View());
    result.statusText.assign(statusText.View());
    return result;
}

LinkOutcome DecideLinkOutcome(const Document& document, const LinkRequest& request, const LinkResult& result) {
    LinkOutcome outcome;
    if (request.line >= document.LineCount() || request.close >= document.LineLength(request.line)) return outcome;
    const char16_t* text = document.LineText(request.line);
    outcome.textStart = request.open + (text[request.open] == u'<' ? 1 : 0);
    if (std::u16string_view(text + outcome.textStart, request.spanText.size()) != request.spanText) return outcome;
    outcome.stillThere = true;
    outcome.textEnd = outcome.textStart + static_cast<Column>(request.spanText.size());
    const std::size_t requested = request.linkText.size();
    const std::size_t existing = std::min(static_cast<std::size_t>(std::max(result.existing, 0)), requested);
    outcome.clearTo = outcome.textStart + static_cast<Column>(existing);
    if (existing > 0 && existing == requested) {
        outcome.textEnd = outcome.clearTo;
        outcome.open = true;
        return outcome;
    }
    const bool markedBefore = outcome.clearTo < outcome.textEnd &&
                              (document.LineTokens(request.line)[outcome.clearTo] & kMissingBit) != 0;
    outcome.open = existing > 0 && request.clicked.column < outcome.clearTo && markedBefore;
    return outcome;
}

}  // namespace pathbook
