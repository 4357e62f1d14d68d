// The input side of one view: the selection model and the controllers that
// act through it, built in the order they must listen to the document (the
// selection after the EditViewCore that lays the text out). The window layer
// turns its messages into calls of these.
#pragma once

#include "document/document.h"
#include "view/caret_host.h"
#include "view/edit_view_core.h"
#include "view/ime_bridge.h"
#include "view/key_input.h"
#include "view/link_input.h"
#include "view/mouse_input.h"
#include "view/selection.h"

namespace pathbook {

struct EditInput {
    EditInput(Document& document, EditViewCore& view, CaretHost& host)
        : selection(document, view, host),
          keys(document, selection),
          links(document, selection, host),
          mouse(document, selection, links, host),
          ime(document, selection) {}

    Selection selection;
    KeyInput keys;
    LinkInput links;
    MouseInput mouse;
    ImeBridge ime;
};

}  // namespace pathbook
