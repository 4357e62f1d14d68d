#include "notebook/link_check.h"

#include <algorithm>

#include "links/link_status.h"
#include "notebook/note_links.h"
#include "runtime/string.h"

namespace pathbook {

std::vector<LinkToCheck> FileLinksToCheck(const Document& document, std::u16string_view noteFolder) {
    std::vector<LinkToCheck> links;
    for (FoundLink& found : CollectLinks(document, noteFolder)) {
        const std::u16string target = FileLinkTarget(found.link);
        if (target.empty() || IsNetworkPath(target)) continue;
        links.push_back({found.line, found.open + 1, found.close, std::move(found.link)});
    }
    return links;
}

std::vector<CheckedLink> CheckFileLinks(const std::vector<LinkToCheck>& links) {
    std::vector<CheckedLink> checked;
    checked.reserve(links.size());
    for (const LinkToCheck& link : links) {
        String linkText(link.link.linkText);
        const std::int32_t length = linkText.Length();
        String status;
        const std::int32_t existing = ResolveLinkStatus(String(link.link.basePath), linkText, status);
        checked.push_back({link.line, link.textStart, link.textEnd, existing, existing < length});
    }
    return checked;
}

std::size_t BrokenCount(const std::vector<CheckedLink>& links) {
    return static_cast<std::size_t>(
        std::count_if(links.begin(), links.end(), [](const CheckedLink& link) { return link.broken; }));
}

std::int32_t NextBrokenLink(const std::vector<CheckedLink>& links, DocPos pos) {
    std::int32_t first = -1;
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (!links[i].broken) continue;
        if (links[i].Start() > pos) return static_cast<std::int32_t>(i);
        if (first < 0) first = static_cast<std::int32_t>(i);
    }
    return first;
}

}  // namespace pathbook
