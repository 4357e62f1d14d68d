// pathbook-tool: the command-line face of the engine. Each command is a row of
// the table in main.cpp; arguments arrive as UTF-8, output leaves as UTF-8.
// Exit codes: 0 success, 1 a file could not be opened/read/written, 2 usage.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace pathbook::tool {

constexpr int kExitOk = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;    // shown after "pathbook-tool [--acp N] "
    const char* summary;  // one line for the list of commands
    const char* details;  // what `COMMAND --help` adds: what it prints, its options
    int (*run)(const Arguments& args);
};

// getopt-style flags: `letters` lists the flags, a letter followed by ":" takes
// a value ("-c 932" or "-c932"); "--" ends the flags. Long flags ("--timing")
// are accepted when listed in `longFlags`; one listed with a trailing "="
// ("cache=") takes a value ("--cache DIR" or "--cache=DIR").
struct ParsedArguments {
    std::map<std::string, std::string> flags;  // "c" -> "932", "timing" -> ""
    std::vector<std::string> positional;
    std::string error;  // empty when the arguments parsed

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
};
ParsedArguments ParseArguments(const Arguments& args, const std::string& letters,
                               const std::vector<std::string>& longFlags = {});

// Prints "pathbook-tool: <message>" to stderr and returns `exitCode`.
int Fail(int exitCode, const std::string& message);

// Parses a decimal integer argument; false for anything else.
bool ParseInt(const std::string& text, int* value);

// Ends the process with `code` at once, its output flushed. Commands that have
// built a large document end this way when done: the system takes all of the
// memory back in one go, where freeing the document line by line would take a
// good part of the time the load took.
[[noreturn]] void ExitNow(int code);

// Writes bytes to stdout unchanged (no newline translation).
void WriteOut(const std::string& bytes);
void WriteOut(const char* bytes, std::size_t count);

// A stretch of bytes to write that stays where it is until written.
struct OutPiece {
    const void* bytes;
    std::size_t count;
};
// Writes the pieces to stdout in order, handing them to the system in one
// gathering call where it has one, so they are not copied on the way.
void WriteOutPieces(const OutPiece* pieces, std::size_t count);

// The commands.
int RunEncodings(const Arguments& args);
int RunDetect(const Arguments& args);
int RunDecode(const Arguments& args);
int RunEncode(const Arguments& args);
int RunConvert(const Arguments& args);
int RunLink(const Arguments& args);
int RunLinkStatus(const Arguments& args);
int RunTokens(const Arguments& args);
int RunFind(const Arguments& args);
int RunNotesSearch(const Arguments& args);
int RunBacklinks(const Arguments& args);
int RunBrokenLinks(const Arguments& args);

}  // namespace pathbook::tool
