// pathbook-tool link TEXT: how the link recogniser reads TEXT (the rest of a
// line after "<"): "match=<units> kind=<LinkKind>".
#include <string>

#include "document/link_recognition.h"
#include "runtime/utf8.h"
#include "tool_command.h"

namespace pathbook::tool {

int RunLink(const Arguments& args) {
    if (args.size() != 1) return Fail(kExitUsage, "link takes one TEXT argument");
    std::u16string text = Utf8ToUtf16(args[0]);
    std::uint32_t match = MatchLink(text.c_str(), static_cast<std::uint32_t>(text.size()));
    LinkKind kind = ClassifyLink(text.c_str());
    WriteOut("match=" + std::to_string(match) + " kind=" + std::to_string(static_cast<int>(kind)) + "\n");
    return kExitOk;
}

}  // namespace pathbook::tool
