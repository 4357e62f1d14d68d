#include "app/notebook_places.h"

#include <algorithm>

#include "runtime/decimal.h"

namespace pathbook {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The folder part of `path` with its trailing separator; empty without one.
std::u16string_view FolderOf(std::u16string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return path.substr(0, i);
    }
    return {};
}

}  // namespace

std::u16string NotebookFolder(std::u16string_view homePage, std::u16string_view notePath, std::u16string_view current) {
    const std::u16string_view home = FolderOf(homePage);
    if (!home.empty()) return std::u16string(home);
    std::u16string below;
    if (!current.empty() && RelativePathIn(NotebookRoot(current), notePath, &below)) return std::u16string(current);
    return std::u16string(FolderOf(notePath));
}

std::u16string PlaceRow(const IndexedNote& note, LineIndex line) {
    std::u16string row = note.file.relativePath + u":" + FormatUnsignedDecimal(std::uint64_t{line} + 1) + u"\t";
    const std::u16string_view text = note.text.Line(line);
    const std::size_t shown = std::min(text.size(), kMaxRowText);
    // The list's one tab stop is the one after the place: the line's own tabs show as blanks.
    for (std::size_t i = 0; i < shown; ++i) row += text[i] == u'\t' ? u' ' : text[i];
    return row;
}

std::vector<NotebookPlace> LinksHerePlaces(const std::vector<Backlink>& links) {
    std::vector<NotebookPlace> places;
    for (const Backlink& link : links) {
        if (places.size() == kMaxPlaces) break;
        const DocPos onLink = DocPos::At(link.line, link.open + 1);
        places.push_back({link.note->file.path, onLink, onLink, PlaceRow(*link.note, link.line)});
    }
    return places;
}

std::vector<MenuItem> LinksHereMenuItems(const std::vector<NotebookPlace>& places, std::int32_t firstId,
                                         const String& none) {
    std::vector<MenuItem> items;
    for (const NotebookPlace& place : places) {
        if (items.size() == kMaxLinksHereItems) break;
        const std::size_t tab = place.row.find(u'\t');
        const std::size_t end = tab == std::u16string::npos ? place.row.size() : std::min(place.row.size(), tab + 1 + kMaxItemText);
        std::u16string text;
        for (std::size_t i = 0; i < end; ++i) text.append(place.row[i] == u'&' ? 2 : 1, place.row[i]);
        items.push_back({firstId + static_cast<std::int32_t>(items.size()), String(text), true});
    }
    if (items.empty()) items.push_back({firstId, none, false});
    return items;
}

std::vector<NotebookPlace> SearchPlaces(const std::vector<NoteHits>& hits) {
    std::vector<NotebookPlace> places;
    for (const NoteHits& note : hits) {
        for (const NoteMatch& match : note.matches) {
            if (places.size() == kMaxPlaces) return places;
            places.push_back({note.note->file.path, DocPos::At(match.line, match.start),
                              DocPos::At(match.line, match.end), PlaceRow(*note.note, match.line)});
        }
    }
    return places;
}

std::u16string CountsText(std::u16string_view format, std::size_t first, std::size_t second) {
    std::u16string text;
    std::size_t last = 0;
    for (std::size_t at = 0; at < format.size();) {
        const std::u16string_view rest = format.substr(at);
        if (rest.size() >= 2 && rest[0] == u'%' && (rest[1] == u'1' || rest[1] == u'2')) {
            last = rest[1] == u'1' ? first : second;
            text += FormatUnsignedDecimal(last);
            at += 2;
            continue;
        }
        const std::size_t bar = rest[0] == u'{' ? rest.find(u'|') : std::u16string_view::npos;
        const std::size_t end = bar != std::u16string_view::npos ? rest.find(u'}', bar) : std::u16string_view::npos;
        if (end == std::u16string_view::npos) {
            text += rest[0];
            ++at;
            continue;
        }
        text += last == 1 ? rest.substr(1, bar - 1) : rest.substr(bar + 1, end - bar - 1);
        at += end + 1;
    }
    return text;
}

}  // namespace pathbook
