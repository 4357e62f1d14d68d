#include "text_file_options.h"

#include <memory>

#include "runtime/utf8.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"

namespace pathbook::tool {

bool ParseCharsetOption(const ParsedArguments& parsed, const std::string& flag, CharsetId fallback,
                        CharsetId* charset) {
    *charset = fallback;
    if (!parsed.Has(flag)) return true;
    int value = 0;
    if (!ParseInt(parsed.flags.at(flag), &value)) return false;
    *charset = value;
    return true;
}

bool ParseLineEndOption(const ParsedArguments& parsed, LineEnd fallback, LineEnd* lineEnd) {
    *lineEnd = fallback;
    if (!parsed.Has("l")) return true;
    int value = 0;
    if (!ParseInt(parsed.flags.at("l"), &value) || value < 0 || value > 2) return false;
    *lineEnd = static_cast<LineEnd>(value);
    return true;
}

bool LoadFile(const std::string& path, CharsetId requested, Document& document, LoadedFile* loaded) {
    auto file = std::make_unique<TextFileIn>(requested);
    if (!file->Open(Utf8ToUtf16(path).c_str())) return false;
    *loaded = {file->Charset(), file->LineEndStyle(), file->NoLineBreaks()};
    return document.Load(std::move(file)) != LoadResult::kFailed;
}

bool SaveFile(Document& document, const std::string& path, CharsetId charset, LineEnd lineEnd) {
    TextFileOut file(charset, lineEnd);
    if (!file.Open(Utf8ToUtf16(path).c_str())) return false;
    return document.Save(file);
}

}  // namespace pathbook::tool
