// The file dialog of the favourites' 追加 (titled "ファイル選択"): several
// files at once, an encoding for all of them, and shortcuts to the usual
// folders below the system's dialog (template 111).
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/string.h"
#include "textfile/charset.h"
#include "textfile/encoding_list.h"

namespace pathbook {

struct ChosenFiles {
    std::vector<String> paths;  // full paths
    CharsetId code = 0;         // the encoding chosen for every one of them
};

// False when the user cancelled (or the dialog could not be shown).
bool ChooseFavoriteFiles(HWND owner, const EncodingList& encodings, ChosenFiles* chosen);

}  // namespace pathbook
