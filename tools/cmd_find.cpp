// pathbook-tool find [-c ID] [-r] [-i] [-b] [--timing] PATTERN FILE: loads FILE
// as the editor does and runs Find Next (or, with -b, Find Prev from the end)
// until nothing more is found, each match selected in turn. Prints
// "<line>:<start>:<end>" per match (0-based line, UTF-16 columns, end
// exclusive), then "matches=<N>". --timing adds "load_ms=<n> search_ms=<n>" on
// stderr, the search timed alone on the loaded document.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "document/document.h"
#include "runtime/utf8.h"
#include "search/find_state.h"
#include "textfile/text_file_in.h"
#include "tool_command.h"

namespace pathbook::tool {
namespace {

class ToolDialog : public search::FindDialogPort {
public:
    explicit ToolDialog(search::FindDialogTexts texts) : texts_(std::move(texts)) {}
    bool ReadTexts(search::FindDialogTexts& texts) override {
        texts = texts_;
        return true;
    }

private:
    search::FindDialogTexts texts_;
};

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

std::string Describe(const search::Selection& selection) {
    DocPos from = selection.Start();
    DocPos to = selection.End();
    return std::to_string(from.line) + ":" + std::to_string(from.column) + ":" + std::to_string(to.column) + "\n";
}

}  // namespace

int RunFind(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:rib", {"timing"});
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 2) return Fail(kExitUsage, "find needs PATTERN and FILE");
    int charset = charset::kAutoDetect;
    if (parsed.Has("c") && !ParseInt(parsed.flags.at("c"), &charset)) return Fail(kExitUsage, "-c needs a number");
    const bool backward = parsed.Has("b");

    Clock::time_point loadStart = Clock::now();
    auto file = std::make_unique<TextFileIn>(charset);
    std::u16string path = Utf8ToUtf16(parsed.positional[1]);
    if (!file->Open(path.c_str())) return Fail(kExitFileError, "cannot open " + parsed.positional[1]);
    Document document;
    document.Load(std::move(file));
    long long loadMs = MillisecondsSince(loadStart);

    std::u16string pattern = Utf8ToUtf16(parsed.positional[0]);
    ToolDialog dialog({String(pattern), String(), parsed.Has("i"), parsed.Has("r")});
    search::FindState state(dialog);
    search::Selection selection;
    if (backward) {
        LineIndex last = document.LineCount() - 1;
        selection.anchor = selection.caret = {document.LineLength(last), last};
    }
    std::string out;
    long long count = 0;
    Clock::time_point searchStart = Clock::now();
    state.ReadDialog();
    state.Prepare(!backward);
    while (backward ? state.FindPrev(document, selection) : state.FindNext(document, selection)) {
        out += Describe(selection);
        ++count;
    }
    long long searchMs = MillisecondsSince(searchStart);
    out += "matches=" + std::to_string(count) + "\n";
    WriteOut(out);
    if (parsed.Has("timing")) {
        std::fprintf(stderr, "load_ms=%lld search_ms=%lld\n", loadMs, searchMs);
    }
    return kExitOk;
}

}  // namespace pathbook::tool
