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

namespace pathbook::tool {
namespace {

constexpr Command kCommands[] = {
    {"encodings", "encodings", RunEncodings},
    {"detect", "detect [-c ID] FILE", RunDetect},
    {"decode", "decode [-c ID] FILE", RunDecode},
    {"encode", "encode -c ID [-l 0|1|2] OUT < utf16le", RunEncode},
    {"convert", "convert [-c IN] [-o ID] [-l 0|1|2] SRC DST", RunConvert},
    {"link", "link TEXT", RunLink},
    {"tokens", "tokens [-c ID] [-k DEFFILE] FILE", RunTokens},
    {"find", "find [-c ID] [-r] [-i] [-b] [--timing] PATTERN FILE", RunFind},
    {"linkstatus", "linkstatus [-b BASE] TEXT", RunLinkStatus},
};

int Usage() {
    std::string text = "usage:";
    for (const Command& command : kCommands) text += std::string("\n  pathbook-tool [--acp N] ") + command.usage;
    return Fail(kExitUsage, text);
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
    for (const Command& command : kCommands) {
        if (args[next] == command.name) {
            return command.run(Arguments(args.begin() + static_cast<long>(next) + 1, args.end()));
        }
    }
    return Usage();
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
