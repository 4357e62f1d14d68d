// pathbook-tool's help and version texts, on stdout with exit code 0.
#pragma once

#include <cstddef>

#include "tool_command.h"

namespace pathbook::tool {

// "pathbook-tool --help": usage, the global option and the list of commands.
template <std::size_t N>
int PrintToolHelp(const Command (&commands)[N]) {
    return PrintToolHelp(commands, N);
}
int PrintToolHelp(const Command* commands, std::size_t count);

// "pathbook-tool COMMAND --help" and "pathbook-tool help COMMAND".
int PrintCommandHelp(const Command& command);

// "pathbook-tool --version": the program's version.
int PrintVersion();

// True when the arguments of a command ask for its help: "--help" or "-h"
// before a "--" that ends the flags.
bool AsksForHelp(const Arguments& args);

}  // namespace pathbook::tool
