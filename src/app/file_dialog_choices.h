// What the open and save dialogs offer beside the system's own controls: the
// filter list, the encodings of the encoding combo and the folders of the
// folder combo, decided without a window.
// Tested by file_dialog_choices_test.cpp.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "links/known_folders.h"
#include "runtime/string.h"
#include "textfile/charset.h"
#include "textfile/encoding_list.h"

namespace pathbook {

// What the open dialog gives: the file and the encoding to read it in.
struct OpenChoice {
    String path;
    CharsetId charset = charset::kAutoDetect;
};

// What the save dialog starts from and gives: the file, its encoding row and line end.
struct SaveChoice {
    String path;
    std::int32_t encodingRow = -1;
    LineEnd lineEnd = LineEnd::kCrLf;
};

struct FilterEntry {
    String name;     // "Text Files"
    String pattern;  // "*.txt"
};

// The system's filter text: each name and pattern ended by a NUL, the list
// ended by one more.
String DialogFilter(std::initializer_list<FilterEntry> entries);

// The folder combo's entries in order: the note's folder (the program's start
// folder for an untitled note), documents, public documents, roaming
// application data, OneDrive.
inline constexpr FolderId kFolderChoices[] = {kFolderCurrent, kFolderDocuments, kFolderCommonDocuments, kFolderAppData,
                                              kFolderOneDrive};
inline constexpr std::int32_t kFolderChoiceCount = 5;

// The text choosing entry `index` writes into the file-name box: the note's
// folder, or the special folder with a trailing separator. Empty for an index
// out of range or a folder the system cannot supply.
String FolderChoicePath(std::int32_t index, const String& noteFolder);

// The rows of the table marked with `flag` (kOfferedForOpening or
// kOfferedForSaving), in table order: combo index i shows row rows[i].
std::vector<std::int32_t> OfferedEncodingRows(const EncodingList& list, std::int32_t flag);

// The combo index that shows table row `row`; 0 when the row is not offered
// (or -1 when nothing is offered), so a combo always has a selection.
std::int32_t ComboIndexOfRow(const std::vector<std::int32_t>& rows, std::int32_t row);

}  // namespace pathbook
