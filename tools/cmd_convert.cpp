// pathbook-tool convert [-c IN] [-o ID] [-l 0|1|2] [--lossy] SRC DST: loads SRC
// as the editor does (detected unless -c) and saves it to DST in encoding -o
// (default: the one loaded) with line-end style -l (default: the one detected,
// or CR LF when SRC has no line break). A save that would lose characters is
// refused unless --lossy.
#include "text_file_options.h"

namespace pathbook::tool {

int RunConvert(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:o:l:", {"lossy"});
    CharsetId requested = 0;
    CharsetId target = 0;
    LineEnd lineEnd = LineEnd::kCrLf;
    // Every option is checked before any file is touched.
    if (!parsed.error.empty() || parsed.positional.size() != 2 ||
        !ParseCharsetOption(parsed, "c", charset::kAutoDetect, &requested) ||
        !ParseCharsetOption(parsed, "o", 0, &target) || !ParseLineEndOption(parsed, lineEnd, &lineEnd)) {
        return Fail(kExitUsage, "usage: convert [-c IN] [-o ID] [-l 0|1|2] [--lossy] SRC DST");
    }
    Document document;
    LoadedFile loaded{};
    if (!LoadFile(parsed.positional[0], requested, document, &loaded)) {
        return Fail(kExitFileError, "cannot open " + parsed.positional[0]);
    }
    if (!parsed.Has("o")) target = loaded.charset;
    if (!parsed.Has("l")) lineEnd = loaded.noLineBreaks ? LineEnd::kCrLf : loaded.lineEnd;
    ExitNow(SaveFile(document, parsed.positional[1], target, lineEnd,
                     parsed.Has("lossy") ? LossPolicy::kAllow : LossPolicy::kRefuse));
}

}  // namespace pathbook::tool
