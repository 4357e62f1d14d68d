// How a document reports its changes. Every operation does nothing by default.
#pragma once

#include "document/doc_pos.h"

namespace pathbook {

class DocListener {
public:
    virtual ~DocListener() = default;

    // The text from `start` to `oldEnd` (positions before the change) was
    // replaced by text that now ends at `newEnd`; nothing outside changed.
    // One edit command (a whole group too) sends one update. `byCommand`: an
    // edit command made the change (false for loading).
    virtual void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) {
        (void)start, (void)oldEnd, (void)newEnd, (void)byCommand;
    }
    // A new keyword definition is in force and every line was reclassified.
    virtual void OnKeywordChange() {}
    // The modified state changed to `modified`.
    virtual void OnDirtyFlagChange(bool modified) { (void)modified; }
};

}  // namespace pathbook
