// pathbook-tool [--acp N] COMMAND [ARGS...]
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/code_page.h"
#include "platform/large_blocks.h"
#include "runtime/utf8.h"
#include "tool_command.h"
#include "tool_help.h"

namespace pathbook::tool {
namespace {

// The options of the commands that read a whole notebook.
#define PATHBOOK_CACHE_OPTIONS                                                                 \
    "  --cache DIR  keep the notebook's index in DIR (default: the local data folder)\n"     \
    "  --no-cache   read every note now and keep no index\n"

constexpr Command kCommands[] = {
    {"encodings", "encodings", "list the encoding table",
     "Prints one row per encoding the editor offers, tab-separated:\n"
     "  CharsetId, display name, short code (as on the status bar), dialog flags\n"
     "  (1 = offered when saving, 2 = offered when opening).\n",
     RunEncodings},
    {"detect", "detect [-c ID] FILE", "show the encoding and line ends the editor detects",
     "Prints \"charset=<CharsetId> lineend=<0|1|2> nobreaks=<0|1>\" for FILE as the\n"
     "editor decides them on opening.\n\n"
     "Options:\n"
     "  -c ID   open with this CharsetId instead of detecting (0 detects)\n",
     RunDetect},
    {"decode", "decode [-c ID] FILE", "write a file's text as UTF-16LE",
     "Loads FILE as the editor does and writes its text to standard output as\n"
     "UTF-16LE without a byte-order mark, lines joined by U+000A.\n\n"
     "Options:\n"
     "  -c ID   open with this CharsetId instead of detecting (0 detects)\n",
     RunDecode},
    {"encode", "encode -c ID [-l 0|1|2] [--lossy] OUT < utf16le", "save UTF-16LE text in an encoding",
     "Reads UTF-16LE from standard input and saves it to OUT as the editor saves.\n"
     "A text with characters the encoding would not keep is not saved (exit code 1,\n"
     "the first of them with its line and column on standard error, OUT untouched).\n\n"
     "Options:\n"
     "  -c ID     the CharsetId to save in (required)\n"
     "  -l N      line ends: 0 = CR, 1 = LF, 2 = CR LF (default 2)\n"
     "  --lossy   save such a text anyway, with what the encoding makes of them\n",
     RunEncode},
    {"convert", "convert [-c IN] [-o ID] [-l 0|1|2] [--lossy] SRC DST", "convert a file between encodings",
     "Loads SRC as the editor does and saves it to DST. A text with characters the\n"
     "encoding would not keep is not saved (exit code 1, the first of them with its\n"
     "line and column on standard error, DST untouched).\n\n"
     "Options:\n"
     "  -c IN     open SRC with this CharsetId instead of detecting\n"
     "  -o ID     save in this CharsetId (default: the one SRC was read with)\n"
     "  -l N      line ends: 0 = CR, 1 = LF, 2 = CR LF (default: those of SRC)\n"
     "  --lossy   save such a text anyway, with what the encoding makes of them\n",
     RunConvert},
    {"link", "link TEXT", "show how a link is recognised",
     "TEXT is what follows a \"<\" in a note. Prints \"match=<units> kind=<LinkKind>\":\n"
     "the length of the link, \">\" included (0 when it is no link), and its kind\n"
     "(0 none, 1 anchor, 2 file, 3 web, 4 ftp, 5 mail).\n",
     RunLink},
    {"tokens", "tokens [-c ID] [-k DEFFILE] FILE", "show the attribute words of each line",
     "Loads FILE as the editor does and prints, per line, the attribute word of\n"
     "each UTF-16 unit as 4-digit hex.\n\n"
     "Options:\n"
     "  -c ID       open with this CharsetId instead of detecting\n"
     "  -k DEFFILE  classify with the keyword definition in DEFFILE (UTF-8)\n",
     RunTokens},
    {"find", "find [-c ID] [-r] [-i] [-b] [--timing] PATTERN FILE", "list the matches of a search",
     "Loads FILE and repeats Find Next (Find Prev with -b) until nothing more is\n"
     "found. Prints \"<line>:<start>:<end>\" per match (0-based line, UTF-16\n"
     "columns, end exclusive), then \"matches=<N>\".\n\n"
     "Options:\n"
     "  -c ID     open with this CharsetId instead of detecting\n"
     "  -r        PATTERN is a regular expression\n"
     "  -i        ignore case\n"
     "  -b        search backwards from the end\n"
     "  --timing  print load and search times in milliseconds on standard error\n",
     RunFind},
    {"linkstatus", "linkstatus [-b BASE] TEXT", "check a link as a click in the editor does",
     "Resolves the link TEXT against the folder BASE, checks how much of it exists\n"
     "(web and FTP addresses are probed on the network) and prints\n"
     "\"n=<existing units> text=<link> status=<status line>\".\n\n"
     "Options:\n"
     "  -b BASE   the folder of the note the link is in\n",
     RunLinkStatus},
    {"notes-search", "notes-search [-r] [-i] [--cache DIR|--no-cache] PATTERN FOLDER", "search every note of a notebook",
     "Reads every note (every *.txt file) under FOLDER as the editor opens it and\n"
     "repeats Find Next in each until nothing more is found. Prints\n"
     "\"RELPATH<TAB>LINE:START:END\" per match (the note's path below FOLDER with\n"
     "\"/\" between folders, 0-based line, UTF-16 columns, end exclusive), sorted by\n"
     "path, line and column, then \"matches=<N> files=<F>\" (F: notes with a match).\n"
     "Binary files and files over 64 MiB are left out. The notes come from an index\n"
     "of FOLDER kept between runs, read again where they changed.\n\n"
     "Options:\n"
     "  -r           PATTERN is a regular expression\n"
     "  -i           ignore case\n"
     PATHBOOK_CACHE_OPTIONS,
     RunNotesSearch},
    {"backlinks", "backlinks [--cache DIR|--no-cache] FOLDER NOTE", "list the links that lead to a note",
     "Reads every note (every *.txt file) under FOLDER and resolves its links as a\n"
     "click in the editor resolves them. Prints \"RELPATH<TAB>LINE\" for each link\n"
     "that leads to NOTE (the linking note's path below FOLDER, the link's 0-based\n"
     "line), sorted by path, line and column, then \"links=<N> notes=<F>\". NOTE\n"
     "need not exist; a note that links to itself is listed too.\n\n"
     "Options:\n"
     PATHBOOK_CACHE_OPTIONS,
     RunBacklinks},
    {"brokenlinks", "brokenlinks FILE", "list the file links whose target is missing",
     "Loads FILE as the editor does and checks each of its file links as a click\n"
     "checks it. Prints \"LINE:START:END<TAB>N\" for each link whose target does\n"
     "not exist (0-based line, the UTF-16 columns of the link text between \"<\"\n"
     "and \">\", N the units of it that do exist, as linkstatus reports them), then\n"
     "\"broken=<B> links=<L>\". Nothing goes over the network: web, FTP and mail\n"
     "links and paths on other machines (\\\\server\\share) are not checked or counted.\n",
     RunBrokenLinks},
};

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

int Usage() {
    return Fail(kExitUsage, "usage: pathbook-tool [--acp N] COMMAND [ARGS...]\n"
                            "Try 'pathbook-tool --help' for the commands.");
}

int Run(Arguments args) {
    platform::KeepLargeBlocksSeparate();
    std::size_t next = 0;
    if (next < args.size() && args[next] == "--acp") {
        int codePage = 0;
        if (next + 1 >= args.size() || !ParseInt(args[next + 1], &codePage) || codePage <= 0) return Usage();
        if (!platform::OverrideAnsiCodePage(static_cast<platform::CodePage>(codePage)) &&
            platform::AnsiCodePage() != static_cast<platform::CodePage>(codePage)) {
            return Fail(kExitUsage, "--acp " + args[next + 1] + ": cannot use this code page as the ANSI code page here");
        }
        next += 2;
    }
    if (next >= args.size()) return Usage();
    const std::string& word = args[next];
    if (word == "--help" || word == "-h") return PrintToolHelp(kCommands);
    if (word == "--version") return PrintVersion();
    if (word == "help") {
        if (next + 1 >= args.size()) return PrintToolHelp(kCommands);
        const Command* command = FindCommand(args[next + 1]);
        return command ? PrintCommandHelp(*command) : Fail(kExitUsage, "no command '" + args[next + 1] + "'");
    }
    const Command* command = FindCommand(word);
    if (!command) return Fail(kExitUsage, "no command '" + word + "'\nTry 'pathbook-tool --help' for the commands.");
    Arguments rest(args.begin() + static_cast<long>(next) + 1, args.end());
    if (AsksForHelp(rest)) return PrintCommandHelp(*command);
    return command->run(rest);
}

}  // namespace
}  // namespace pathbook::tool

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    pathbook::tool::Arguments args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(pathbook::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    }
    return pathbook::tool::Run(args);
}
#else
int main(int argc, char** argv) { return pathbook::tool::Run(pathbook::tool::Arguments(argv + 1, argv + argc)); }
#endif
