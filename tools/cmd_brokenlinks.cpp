// pathbook-tool brokenlinks FILE: loads FILE as the editor does and checks
// every file link in it as a click checks it (nothing goes over the network);
// one line "LINE:START:END<TAB>N" per link whose target does not exist (the
// link text's columns, N the units of it that exist, as linkstatus reports
// them), then "broken=<B> links=<L>".
#include <memory>
#include <string>

#include "document/document.h"
#include "document/keyword_definition.h"
#include "notebook/link_check.h"
#include "notebook_paths.h"
#include "textfile/text_file_in.h"
#include "tool_command.h"

namespace pathbook::tool {

int RunBrokenLinks(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "");
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 1) return Fail(kExitUsage, "brokenlinks takes one FILE");
    const std::u16string path = FullPath(parsed.positional[0]);
    auto file = std::make_unique<TextFileIn>();
    if (!file->Open(path.c_str())) return Fail(kExitFileError, "cannot open " + parsed.positional[0]);
    Document document;
    document.SetKeywordDefinition(kDefaultKeywordText);
    document.Load(std::move(file));
    const std::vector<CheckedLink> links = CheckFileLinks(FileLinksToCheck(document, FolderOf(path)));
    std::string out;
    for (const CheckedLink& link : links) {
        if (!link.broken) continue;
        out += std::to_string(link.line) + ":" + std::to_string(link.textStart) + ":" + std::to_string(link.textEnd) +
               "\t" + std::to_string(link.existing) + "\n";
    }
    out += "broken=" + std::to_string(BrokenCount(links)) + " links=" + std::to_string(links.size()) + "\n";
    WriteOut(out);
    return kExitOk;
}

}  // namespace pathbook::tool
