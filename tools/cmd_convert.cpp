// pathbook-tool convert [-c IN] [-o ID] [-l 0|1|2] SRC DST: loads SRC as the
// editor does (detected unless -c) and saves it to DST in encoding -o (default:
// the one loaded) with line-end style -l (default: the one detected, or CR LF
// when SRC has no line break).
#include "text_file_options.h"

namespace pathbook::tool {

int RunConvert(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:o:l:");
    CharsetId requested = 0;
    if (!parsed.error.empty() || parsed.positional.size() != 2 ||
        !ParseCharsetOption(parsed, "c", charset::kAutoDetect, &requested)) {
        return Fail(kExitUsage, "usage: convert [-c IN] [-o ID] [-l 0|1|2] SRC DST");
    }
    Document document;
    LoadedFile loaded{};
    if (!LoadFile(parsed.positional[0], requested, document, &loaded)) {
        return Fail(kExitFileError, "cannot open " + parsed.positional[0]);
    }
    CharsetId target = 0;
    LineEnd lineEnd = LineEnd::kCrLf;
    LineEnd detected = loaded.noLineBreaks ? LineEnd::kCrLf : loaded.lineEnd;
    if (!ParseCharsetOption(parsed, "o", loaded.charset, &target) || !ParseLineEndOption(parsed, detected, &lineEnd)) {
        return Fail(kExitUsage, "usage: convert [-c IN] [-o ID] [-l 0|1|2] SRC DST");
    }
    if (!SaveFile(document, parsed.positional[1], target, lineEnd)) {
        return Fail(kExitFileError, "cannot save " + parsed.positional[1]);
    }
    return kExitOk;
}

}  // namespace pathbook::tool
