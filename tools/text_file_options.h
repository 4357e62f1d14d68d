// What the text-file commands (detect, decode, encode, convert) share: their
// -c/-o/-l values and loading a file into a document.
#pragma once

#include <string>

#include "document/document.h"
#include "textfile/charset.h"
#include "textfile/text_file_out.h"
#include "tool_command.h"

namespace pathbook::tool {

// A CharsetId option; absent means `fallback`. False for a value that is not
// a number.
bool ParseCharsetOption(const ParsedArguments& parsed, const std::string& flag, CharsetId fallback,
                        CharsetId* charset);
// -l 0, 1 or 2; absent means `fallback`.
bool ParseLineEndOption(const ParsedArguments& parsed, LineEnd fallback, LineEnd* lineEnd);

struct LoadedFile {
    CharsetId charset;
    LineEnd lineEnd;
    bool noLineBreaks;
};

// Opens `path` as the editor does (detection unless `requested` is set) and
// loads it into `document`. False when the file cannot be opened or read to its end.
bool LoadFile(const std::string& path, CharsetId requested, Document& document, LoadedFile* loaded);

// Saves `document` to `path` as the editor does: a save that would lose
// characters is refused (the file is not touched) unless `losses` allows
// them. Returns the exit code: 0, or 1 after telling on stderr why nothing
// was saved (the first lost character with its line and column, counted from
// 1, or the system's reason).
int SaveFile(Document& document, const std::string& path, CharsetId charset, LineEnd lineEnd, LossPolicy losses);

}  // namespace pathbook::tool
