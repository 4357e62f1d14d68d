// pathbook-tool detect [-c ID] FILE: what opening FILE decides, as
// "charset=<CharsetId> lineend=<0|1|2> nobreaks=<0|1>".
#include "runtime/utf8.h"
#include "text_file_options.h"
#include "textfile/text_file_in.h"

namespace pathbook::tool {

int RunDetect(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:");
    CharsetId requested = 0;
    if (!parsed.error.empty() || parsed.positional.size() != 1 ||
        !ParseCharsetOption(parsed, "c", charset::kAutoDetect, &requested)) {
        return Fail(kExitUsage, "usage: detect [-c ID] FILE");
    }
    TextFileIn file(requested);
    if (!file.Open(Utf8ToUtf16(parsed.positional[0]).c_str())) return Fail(kExitFileError, "cannot open " + parsed.positional[0]);
    WriteOut("charset=" + std::to_string(file.Charset()) +
             " lineend=" + std::to_string(static_cast<int>(file.LineEndStyle())) +
             " nobreaks=" + (file.NoLineBreaks() ? "1" : "0") + "\n");
    return kExitOk;
}

}  // namespace pathbook::tool
