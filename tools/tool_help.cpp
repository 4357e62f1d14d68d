#include "tool_help.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "version.h"

namespace pathbook::tool {

constexpr char kAcpOption[] = "  --acp N   the ANSI code page the editor runs with (default: the system's)\n";

constexpr char kExitCodes[] =
    "\nExit status: 0 on success, 1 when a file could not be opened, read or\n"
    "written, 2 for a usage error.\n";

int PrintToolHelp(const Command* commands, std::size_t count) {
    std::size_t widest = 0;
    for (std::size_t i = 0; i < count; ++i) widest = std::max(widest, std::strlen(commands[i].name));
    std::string text =
        "Usage: pathbook-tool [--acp N] COMMAND [ARGS...]\n"
        "The Pathbook engine on the command line: text files in the editor's 33\n"
        "encodings, links, highlighting and search, exactly as the editor does them.\n"
        "\nCommands:\n";
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = commands[i].name;
        text += "  " + name + std::string(widest - name.size() + 3, ' ') + commands[i].summary + "\n";
    }
    text += "\nOptions:\n";
    text += kAcpOption;
    text += "  --help    show this help; 'pathbook-tool COMMAND --help' for one command\n";
    text += "  --version show the version\n";
    text += kExitCodes;
    WriteOut(text);
    return kExitOk;
}

int PrintCommandHelp(const Command& command) {
    std::string summary = command.summary;
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    std::string text = std::string("Usage: pathbook-tool [--acp N] ") + command.usage + "\n" + summary + ".\n\n" +
                       command.details + "\nGlobal option:\n" + kAcpOption + kExitCodes;
    WriteOut(text);
    return kExitOk;
}

int PrintVersion() {
    WriteOut(std::string("pathbook-tool ") + PATHBOOK_VERSION_TEXT + "\n");
    return kExitOk;
}

bool AsksForHelp(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

}  // namespace pathbook::tool
