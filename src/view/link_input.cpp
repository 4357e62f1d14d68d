#include "view/link_input.h"

#include <algorithm>

#include "document/attributes.h"

namespace pathbook {
namespace {

bool SameLink(const LinkRequest& a, const LinkRequest& b) {
    return a.line == b.line && a.open == b.open && a.spanText == b.spanText;
}

}  // namespace

bool LinkInput::OnLinkUnit(DocPos pos) const {
    if (pos.line >= document_.LineCount() || pos.column >= document_.LineLength(pos.line)) return false;
    return (document_.LineTokens(pos.line)[pos.column] & kLinkBit) != 0;
}

bool LinkInput::Activate(DocPos pos, LinkCommand command, bool ctrl) {
    const LinkRequest request = PrepareLinkRequest(document_, pos, command, ctrl && selection_.Empty(), linkBase_);
    if (!request.valid) return false;
    for (const LinkRequest& running : pending_) {
        if (SameLink(running, request)) return true;
    }
    pending_.push_back(request);
    host_.CursorChanged();
    host_.StartLinkResolution(request);
    return true;
}

bool LinkInput::ActivateAtSelection(LinkCommand command) {
    const DocPos pos = selection_.Start();
    return OnLinkUnit(pos) && Activate(pos, command, false);
}

void LinkInput::Finish(const LinkRequest& request, const LinkResult& result) {
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                  [&](const LinkRequest& running) { return SameLink(running, request); }),
                   pending_.end());
    const LinkOutcome outcome = DecideLinkOutcome(document_, request, result);
    if (outcome.stillThere) {
        if (outcome.clearTo > outcome.textStart) {
            document_.SetMissingPart(request.line, outcome.textStart, outcome.clearTo, false);
        }
        if (outcome.textEnd > outcome.clearTo) document_.SetMissingPart(request.line, outcome.clearTo, outcome.textEnd, true);
        selection_.InvalidateLine(request.line, request.open, request.close + 1);
    }
    // The status comes first: opening may ask the user, or say why nothing opened.
    host_.ShowStatus(result.statusText);
    host_.CursorChanged();
    if (outcome.stillThere && outcome.open) selection_.Events().OnOpenLink(request.basePath, result.linkText);
}

LinkKind LinkInput::KindAtCaret() const { return LinkKindAt(document_, selection_.Start()); }

void LinkInput::SelectLinkAt(DocPos pos) {
    const DocPos open = document_.LinkStartOf(pos);
    const DocPos close = document_.LinkEndOf(pos);
    selection_.SetCaret(open, false);
    selection_.SetCaret(DocPos::At(close.line, close.column + 1), true);
}

bool LinkInput::SelectPath(PathSearch search) {
    const DocPos from = selection_.Start();
    const DocPos to = selection_.End();
    const LineIndex lastLine = document_.LineCount() - 1;
    std::int64_t column = 0;
    LineIndex line = 0;
    bool forward = true;
    switch (search) {
        case PathSearch::kNextOnLine: line = to.line, column = static_cast<std::int64_t>(to.column) + 2; break;
        case PathSearch::kPreviousOnLine:
            line = from.line, column = static_cast<std::int64_t>(from.column) - 2, forward = false;
            break;
        case PathSearch::kNextLine:
            if (to.line >= lastLine) return false;
            line = to.line + 1, column = 0;
            break;
        case PathSearch::kPreviousLine:
            if (from.line == 0) return false;
            line = from.line - 1, column = static_cast<std::int64_t>(document_.LineLength(line)) - 1, forward = false;
            break;
    }
    if (forward) {
        for (;; ++line, column = 0) {
            const Attribute* words = document_.LineTokens(line);
            for (std::int64_t c = column; c < document_.LineLength(line); ++c) {
                if ((words[c] & kLinkBit) != 0) return SelectLinkAt(DocPos::At(line, static_cast<Column>(c))), true;
            }
            if (line == lastLine) return false;
        }
    }
    for (;; --line) {
        const Attribute* words = document_.LineTokens(line);
        for (std::int64_t c = std::min<std::int64_t>(column, document_.LineLength(line) - 1); c >= 0; --c) {
            if ((words[c] & kLinkBit) != 0) return SelectLinkAt(DocPos::At(line, static_cast<Column>(c))), true;
        }
        if (line == 0) return false;
        column = static_cast<std::int64_t>(document_.LineLength(line - 1)) - 1;
    }
}

}  // namespace pathbook
