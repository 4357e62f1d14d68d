// Links in the view: activating the link at a position (checked off the UI
// thread through CaretHost::StartLinkResolution, finished by Finish on the UI
// thread), selecting the next or previous link, and the kind of link at the
// caret. Relative links resolve against the link base, the folder of the note
// on show, which the owner sets: no process-wide state takes part. Tested by
// caret_mouse_test.cpp and caret_keys_test.cpp.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"
#include "document/link_recognition.h"
#include "view/caret_host.h"
#include "view/link_activation.h"
#include "view/selection.h"

namespace pathbook {

// The path-selection commands: search for the next or previous link and select it.
enum class PathSearch {
    kNextOnLine,      // from 2 columns after the selection's end (Ctrl+Right)
    kPreviousOnLine,  // from 2 columns before the selection's start (Ctrl+Left)
    kNextLine,        // from the line after the selection's end (Ctrl+Down)
    kPreviousLine,    // from the line before the selection's start (Ctrl+Up)
};

class LinkInput {
public:
    // Single-click links on, no link base.
    LinkInput(Document& document, Selection& selection, CaretHost& host)
        : document_(document), selection_(selection), host_(host) {}

    // The folder "#" links and relative links without a base link above them resolve against.
    void SetLinkBase(std::u16string folder) { linkBase_ = std::move(folder); }
    // Whether a single click opens a link (otherwise a double click does).
    void SetSingleClick(bool on) { singleClick_ = on; }
    bool SingleClick() const { return singleClick_; }

    // Whether `pos` holds a unit of a link.
    bool OnLinkUnit(DocPos pos) const;
    // Starts opening the link at `pos` with `command`; `ctrl` with an empty
    // selection cuts a file link at the clicked component. A link already
    // being checked is not started twice. False when `pos` holds no link.
    bool Activate(DocPos pos, LinkCommand command, bool ctrl);
    // Activate on the link at the selection's start; false when no link is there.
    bool ActivateAtSelection(LinkCommand command);
    // The second step, with the result of the request that StartLinkResolution
    // was given: marks the missing part, shows the status, opens the target
    // when due (CaretEvents::OnOpenLink), repaints the link.
    void Finish(const LinkRequest& request, const LinkResult& result);
    // Whether a link is being checked in the background.
    bool Busy() const { return !pending_.empty(); }

    // Selects the next or previous link with its brackets; false when none.
    bool SelectPath(PathSearch search);
    // The kind of link at the selection's start; kNone at a line end or off a link.
    LinkKind KindAtCaret() const;

private:
    void SelectLinkAt(DocPos pos);

    Document& document_;
    Selection& selection_;
    CaretHost& host_;
    std::u16string linkBase_;
    bool singleClick_ = true;
    std::vector<LinkRequest> pending_;  // links being checked in the background
};

}  // namespace pathbook
