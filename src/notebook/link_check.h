// Check links: every file link of an open note tested at once, each as a
// click on it tests it (links/link_status.h), so that the missing part of a
// broken one can be marked as a click marks it. Nothing goes over the
// network: web, FTP and mail links are left out, and so are paths on another
// machine ("\\server\share"). Two steps, so that the file system is asked
// off the UI thread: FileLinksToCheck reads the document (UI thread), and
// CheckFileLinks tests the targets (any thread; plain strings only).
// Tested by tests/unit/notebook/link_check_test.cpp.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "document/doc_pos.h"
#include "notebook/link_target.h"

namespace pathbook {

class Document;

struct LinkToCheck {
    LineIndex line = 0;
    Column textStart = 0;  // the link text's first unit, after "<"
    Column textEnd = 0;    // its ">"
    ResolvableLink link;
};

struct CheckedLink {
    LineIndex line = 0;
    Column textStart = 0;
    Column textEnd = 0;
    // Leading units of the link text that name something that exists, as
    // linkstatus reports it: the view marks [textStart + existing, textEnd).
    std::int32_t existing = 0;
    bool broken = false;  // the whole target does not exist

    DocPos Start() const { return DocPos::At(line, textStart); }
};

// The file links of `document`, in text order. `noteFolder`: the folder of
// the note, ending in a separator ("#" and bare "." links are resolved there).
std::vector<LinkToCheck> FileLinksToCheck(const Document& document, std::u16string_view noteFolder);

// Tests each link's target; the results are in the same order.
std::vector<CheckedLink> CheckFileLinks(const std::vector<LinkToCheck>& links);

// How many of `links` are broken.
std::size_t BrokenCount(const std::vector<CheckedLink>& links);

// The index of the first broken link that starts after `pos`, or else the
// first broken one (the search wraps around); -1 when none is broken.
std::int32_t NextBrokenLink(const std::vector<CheckedLink>& links, DocPos pos);

}  // namespace pathbook
