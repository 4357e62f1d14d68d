// pathbook-tool notes-search [-r] [-i] PATTERN FOLDER: every match of PATTERN
// in every note under FOLDER, as repeated Find Next finds them in each, one
// line "RELPATH<TAB>LINE:START:END" per match (0-based line, UTF-16 columns,
// end exclusive) sorted by path, line and column, then "matches=<N> files=<F>".
// The notes come from the notebook's index cache, read again where they
// changed; with --no-cache from their files, each looked at as bytes first.
#include <string>

#include "notebook/notes_search.h"
#include "notebook_paths.h"
#include "runtime/utf8.h"
#include "tool_command.h"

namespace pathbook::tool {

int RunNotesSearch(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "ri", kCacheFlags);
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 2) return Fail(kExitUsage, "notes-search needs PATTERN and FOLDER");
    const std::u16string pattern = Utf8ToUtf16(parsed.positional[0]);
    search::FindOptions options;
    options.regExp = parsed.Has("r");
    options.ignoreCase = parsed.Has("i");
    const std::u16string root = FullPath(parsed.positional[1]);
    std::vector<NoteHits> hits;
    if (parsed.Has("no-cache")) {
        FileSearch found = SearchNoteFiles(root, kNoteFilter, pattern, options);
        if (!found.rootListed) return Fail(kExitFileError, "cannot read the folder " + parsed.positional[1]);
        hits = std::move(found.hits);
    } else {
        IndexPointer index = LoadNotebook(parsed, root, true);
        if (index == nullptr) return Fail(kExitFileError, "cannot read the folder " + parsed.positional[1]);
        hits = SearchNotes(*index, pattern, options);
    }
    std::string out;
    std::size_t matches = 0;
    for (const NoteHits& note : hits) {
        const std::string path = Utf16ToUtf8(note.note->file.relativePath) + "\t";
        for (const NoteMatch& match : note.matches) {
            out += path + std::to_string(match.line) + ":" + std::to_string(match.start) + ":" +
                   std::to_string(match.end) + "\n";
        }
        matches += note.matches.size();
    }
    out += "matches=" + std::to_string(matches) + " files=" + std::to_string(hits.size()) + "\n";
    WriteOut(out);
    ExitNow(kExitOk);
}

}  // namespace pathbook::tool
