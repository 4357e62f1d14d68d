// The system's open and save dialogs, and the favourites' add-files dialog,
// with the program's own controls below them: the encoding combo, the save
// dialog's line-end combo, and the folder combo that moves the dialog to the
// note's folder or a special folder. Each starts in `folder`, the note's
// folder, and leaves the process's current directory alone.
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/string.h"
#include "app/file_dialog_choices.h"
#include "textfile/charset.h"
#include "textfile/encoding_list.h"

namespace pathbook {

// Template 105: text files (`txtPattern`) and all files; the file must exist.
// `initialPath` is in the file-name box unless it names a folder; the
// encodings offered for opening, automatic detection selected. False on Cancel.
bool ShowOpenDialog(HWND owner, const EncodingList& encodings, const String& txtPattern, const String& initialPath,
                    const String& folder, OpenChoice& chosen);

// Template 106: all files; the folder must exist and an existing file is only
// replaced after asking. Starts from `choice` (the document's path, row and
// line end) and on OK holds what was chosen; on Cancel it is left as it was.
bool ShowSaveDialog(HWND owner, const EncodingList& encodings, const String& folder, SaveChoice& choice);

struct ChosenFiles {
    std::vector<String> paths;  // full paths
    CharsetId charset = charset::kAutoDetect;  // for every one of them
};

// The favourites' 追加 (template 111, titled "ファイル選択"): like the open
// dialog, with several files at once. False on Cancel or when nothing was chosen.
bool ShowAddFilesDialog(HWND owner, const EncodingList& encodings, const String& txtPattern, const String& folder,
                        ChosenFiles& chosen);

}  // namespace pathbook
