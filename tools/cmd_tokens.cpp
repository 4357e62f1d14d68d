// pathbook-tool tokens [-c ID] [-k DEFFILE] FILE: loads FILE as the editor does
// (detected unless -c) into a document under a keyword definition (the
// editor's fixed one, or DEFFILE's UTF-8 text) and prints each line's
// attribute words after finalisation as 4-digit hex.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "document/document.h"
#include "document/keyword_definition.h"
#include "runtime/utf8.h"
#include "text_file_options.h"

namespace pathbook::tool {
namespace {

bool ReadUtf8File(const std::string& path, std::u16string* text) {
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    if (!file) return false;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return false;
    *text = Utf8ToUtf16(bytes);
    return true;
}

constexpr std::size_t kOutputBlock = 1 << 16;

}  // namespace

int RunTokens(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:k:");
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 1) return Fail(kExitUsage, "tokens needs one FILE");
    CharsetId requested = 0;
    if (!ParseCharsetOption(parsed, "c", charset::kAutoDetect, &requested)) return Fail(kExitUsage, "-c needs a CharsetId");
    std::u16string definition = kDefaultKeywordText;
    if (parsed.Has("k") && !ReadUtf8File(parsed.flags["k"], &definition)) {
        return Fail(kExitFileError, "cannot read " + parsed.flags["k"]);
    }
    Document document;
    document.SetKeywordDefinition(definition);
    LoadedFile loaded{};
    if (!LoadFile(parsed.positional[0], requested, document, &loaded)) {
        return Fail(kExitFileError, "cannot read " + parsed.positional[0]);
    }
    std::string out;
    char word[8];
    for (LineIndex line = 0; line < document.LineCount(); ++line) {
        const Attribute* words = document.LineTokens(line);
        for (UnitCount i = 0; i < document.LineLength(line); ++i) {
            std::snprintf(word, sizeof word, i == 0 ? "%04x" : " %04x", static_cast<unsigned>(words[i]));
            out += word;
        }
        out += '\n';
        // Rows leave as they are made: the output of a large file is several times its size.
        if (out.size() >= kOutputBlock) {
            WriteOut(out);
            out.clear();
        }
    }
    WriteOut(out);
    return kExitOk;
}

}  // namespace pathbook::tool
