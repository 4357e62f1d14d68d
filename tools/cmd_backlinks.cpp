// pathbook-tool backlinks FOLDER NOTE: the links of the notes under FOLDER
// that lead to NOTE, as the editor resolves them, one line "RELPATH<TAB>LINE"
// per link (its 0-based line) sorted by path, line and column, then
// "links=<N> notes=<F>".
#include <string>

#include "notebook/links_here.h"
#include "notebook_paths.h"
#include "runtime/utf8.h"
#include "tool_command.h"

namespace pathbook::tool {

int RunBacklinks(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "", kCacheFlags);
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 2) return Fail(kExitUsage, "backlinks needs FOLDER and NOTE");
    IndexPointer index = LoadNotebook(parsed, FullPath(parsed.positional[0]), false);
    if (index == nullptr) return Fail(kExitFileError, "cannot read the folder " + parsed.positional[0]);
    std::string out;
    std::size_t notes = 0;
    const IndexedNote* last = nullptr;
    const std::vector<Backlink> links = LinksHere(*index, FullPath(parsed.positional[1]));
    for (const Backlink& link : links) {
        out += Utf16ToUtf8(link.note->file.relativePath) + "\t" + std::to_string(link.line) + "\n";
        if (link.note.get() != last) ++notes;
        last = link.note.get();
    }
    out += "links=" + std::to_string(links.size()) + " notes=" + std::to_string(notes) + "\n";
    WriteOut(out);
    ExitNow(kExitOk);
}

}  // namespace pathbook::tool
