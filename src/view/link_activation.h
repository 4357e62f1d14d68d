// Opening a link in two steps, so that the slow part can run off the UI
// thread: PrepareLinkRequest (UI thread) reads the link from the document,
// ResolveLinkRequest (any thread) tests its target, and LinkOutcome (UI
// thread) decides what to mark and whether to open. Requests and results hold
// only std::u16string, whose copies share nothing between threads. Tested by
// link_activation_test.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "document/document.h"
#include "document/link_recognition.h"

namespace pathbook {

// The command a link is opened with.
enum class LinkCommand {
    kOpen,          // open the link
    kOpenLocation,  // open the folder (or file) the clicked component ends
};

struct LinkRequest {
    bool valid = false;  // false: the position held no link
    DocPos clicked;      // where the link was activated
    LineIndex line = 0;
    Column open = 0;             // the "<"
    Column close = 0;            // the ">" (or the last link unit when the line ends first)
    std::u16string spanText;     // the units between open and close when the request was made
    std::u16string basePath;     // empty when there is none
    std::u16string linkText;     // what is resolved: cut, at most 259 units, "#" turned into "\"
};

struct LinkResult {
    std::int32_t existing = 0;  // leading units of linkText that name an existing target
    std::u16string linkText;    // as resolved (a partly existing path is cut to its existing part)
    std::u16string statusText;
};

// The request for activating the link at `pos` with `command`; `cutAtComponent`
// (Ctrl held with an empty selection) cuts a file link at the clicked
// component like kOpenLocation. `linkBase`, the note's folder (a full path),
// is the base of "#" links and of relative links that have no link naming a
// place of its own above them.
LinkRequest PrepareLinkRequest(const Document& document, DocPos pos, LinkCommand command, bool cutAtComponent,
                               const std::u16string& linkBase);

// The kind of the link whose unit is at `pos`; kNone off a link or at a line end.
LinkKind LinkKindAt(const Document& document, DocPos pos);

// Resolves and tests the request's link. May block for seconds on a network
// link; safe on any thread.
LinkResult ResolveLinkRequest(const LinkRequest& request);

// What the result means for the document as it is now.
// The line's units [textStart, clearTo) lose the missing mark and [clearTo,
// textEnd) get it; a link that resolved as requested gets no new mark.
struct LinkOutcome {
    bool stillThere = false;  // the link's text is unchanged since the request
    bool open = false;        // open basePath + result's linkText
    Column textStart = 0;     // the link text's first unit, after "<"
    Column clearTo = 0;
    Column textEnd = 0;       // after the link text's last unit
};
// Decides, before anything is marked, from the missing marks the link carries now.
LinkOutcome DecideLinkOutcome(const Document& document, const LinkRequest& request, const LinkResult& result);

}  // namespace pathbook
