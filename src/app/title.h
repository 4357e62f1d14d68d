// The main window's title: where the document lies (home page, favourite,
// known folder, full path), whether it is modified or locked, and the product
// name. Tested by title_test.cpp.
#pragma once

#include "runtime/string.h"

namespace pathbook {

struct TitleInputs {
    String path;          // empty: untitled
    int favoriteSlot = -1;  // the document's slot among the favourites, or -1
    String folderName;    // name of the known folder that holds it; empty when none
    bool minimized = false;
    bool modified = false;
    bool locked = false;  // the no-editing state
    String productName;   // string 2 of the interface's language
    String goneMark;      // after the name while the file is gone from the disk; empty while it is there
};

// "untitled", "ホーム > name", "お気に入りNo.n > name", "Folder > name", the
// full path (the name only while minimised); then " " and the gone mark when
// there is one, " *" when modified,
// " - " and the product name, and " (編集禁止)" when locked.
String ComposeTitle(const TitleInputs& inputs);

}  // namespace pathbook
