#include <cstdio>
#include <cstdlib>

#ifndef _WIN32
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#endif

#include "tool_command.h"

namespace pathbook::tool {

ParsedArguments ParseArguments(const Arguments& args, const std::string& letters,
                               const std::vector<std::string>& longFlags) {
    ParsedArguments parsed;
    bool flagsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (flagsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            flagsEnded = true;
            continue;
        }
        if (arg[1] == '-') {
            std::string name = arg.substr(2);
            std::size_t equals = name.find('=');
            std::string value;
            if (equals != std::string::npos) {
                value = name.substr(equals + 1);
                name.resize(equals);
            }
            bool known = false;
            bool takesValue = false;
            for (const std::string& flag : longFlags) {
                known = known || flag == name || flag == name + "=";
                takesValue = takesValue || flag == name + "=";
            }
            if (!known || (equals != std::string::npos && !takesValue)) {
                parsed.error = "unknown option " + arg;
                return parsed;
            }
            if (takesValue && equals == std::string::npos) {
                if (i + 1 >= args.size()) {
                    parsed.error = "option " + arg + " needs a value";
                    return parsed;
                }
                value = args[++i];
            }
            parsed.flags[name] = value;
            continue;
        }
        std::size_t at = letters.find(arg[1]);
        if (at == std::string::npos || arg[1] == ':') {
            parsed.error = "unknown option " + arg;
            return parsed;
        }
        std::string name(1, arg[1]);
        bool takesValue = at + 1 < letters.size() && letters[at + 1] == ':';
        if (!takesValue) {
            if (arg.size() != 2) {
                parsed.error = "unknown option " + arg;
                return parsed;
            }
            parsed.flags[name] = "";
        } else if (arg.size() > 2) {
            parsed.flags[name] = arg.substr(2);
        } else if (i + 1 < args.size()) {
            parsed.flags[name] = args[++i];
        } else {
            parsed.error = "option " + arg + " needs a value";
            return parsed;
        }
    }
    return parsed;
}

int Fail(int exitCode, const std::string& message) {
    std::fprintf(stderr, "pathbook-tool: %s\n", message.c_str());
    return exitCode;
}

bool ParseInt(const std::string& text, int* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (*end != 0 || parsed < -2147483647L - 1 || parsed > 2147483647L) return false;
    *value = static_cast<int>(parsed);
    return true;
}

void ExitNow(int code) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

void WriteOut(const std::string& bytes) { WriteOut(bytes.data(), bytes.size()); }

void WriteOut(const char* bytes, std::size_t count) { std::fwrite(bytes, 1, count, stdout); }

#ifdef _WIN32
void WriteOutPieces(const OutPiece* pieces, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) WriteOut(static_cast<const char*>(pieces[i].bytes), pieces[i].count);
}
#else
// A write error (a closed pipe, a full disk) ends the output quietly, as it
// does for stdio.
void WriteOutPieces(const OutPiece* pieces, std::size_t count) {
    std::fflush(stdout);
    constexpr std::size_t kMostPerCall = IOV_MAX < 1024 ? IOV_MAX : 1024;
    iovec vectors[kMostPerCall];
    std::size_t next = 0;
    while (next < count) {
        int used = 0;
        for (; next < count && used < static_cast<int>(kMostPerCall); ++next) {
            if (pieces[next].count == 0) continue;
            vectors[used++] = {const_cast<void*>(pieces[next].bytes), pieces[next].count};
        }
        iovec* pending = vectors;
        while (used > 0) {
            ssize_t written = writev(STDOUT_FILENO, pending, used);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return;
            auto left = static_cast<std::size_t>(written);
            while (used > 0 && left >= pending->iov_len) {
                left -= pending->iov_len;
                ++pending;
                --used;
            }
            if (used > 0) {
                pending->iov_base = static_cast<char*>(pending->iov_base) + left;
                pending->iov_len -= left;
            }
        }
    }
}
#endif

}  // namespace pathbook::tool
