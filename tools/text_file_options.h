// What the text-file commands (detect, decode, encode, convert) share: their
// -c/-o/-l values and loading a file into a document.
#pragma once

#include <string>

#include "document/document.h"
#include "textfile/charset.h"
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

// Saves `document` to `path`; false when the file could not be written.
bool SaveFile(Document& document, const std::string& path, CharsetId charset, LineEnd lineEnd);

}  // namespace pathbook::tool
