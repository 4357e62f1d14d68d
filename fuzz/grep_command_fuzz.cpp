// Arbitrary GrepExe settings and document paths through the expansion and the
// start: the document's full path always follows a quote, the
// program is only ever a full path, and nothing runs past the texts.
//
// Input: the setting, a NUL unit, the document path (two bytes a unit).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/grep_command.h"

namespace {

using pathbook::String;

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string setting;
    std::u16string path;
    bool inPath = false;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0 && !inPath) {
            inPath = true;
            continue;
        }
        // A path holds no quote, as on the system.
        if (inPath && unit == u'"') continue;
        (inPath ? path : setting).push_back(unit);
    }
    const String expanded = pathbook::ExpandGrepCommand(String(setting), String(path), String(u"C:\\cur"));
    std::size_t placeholders = 0;
    for (std::size_t i = 0; i + 1 < setting.size(); ++i) {
        if (setting[i] == u'%') placeholders += setting[++i] == u'F' ? 1 : 0;
    }
    if (placeholders > 0 && !path.empty()) {
        Check(expanded.View().find(u"\"" + path) != std::u16string_view::npos);
    }
    pathbook::ProgramStart start;
    const std::vector<String> nowhere;
    if (pathbook::PrepareGrep(String(setting), String(path), String(u"C:\\cur"), nowhere, &start)) {
        Check(start.program.Length() >= 3 && start.commandLine.View().rfind(u"\"" + std::u16string(start.program.View()) + u"\"", 0) == 0);
    }
    return 0;
}
