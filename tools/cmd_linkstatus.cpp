// pathbook-tool linkstatus [-b BASE] TEXT: the status line the editor shows
// after a click on the link TEXT with base path BASE (empty unless given):
// "n=<units that exist> text=<the link text, cut to its existing part> status=<status line>".
// Web and FTP links are probed on the network.
#include <string>

#include "links/link_status.h"
#include "runtime/utf8.h"
#include "tool_command.h"

namespace pathbook::tool {

int RunLinkStatus(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "b:");
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 1) return Fail(kExitUsage, "linkstatus takes one TEXT argument");
    String base(Utf8ToUtf16(parsed.Has("b") ? parsed.flags.at("b") : std::string()));
    String linkText(Utf8ToUtf16(parsed.positional[0]));
    String status;
    std::int32_t found = ResolveLinkStatus(base, linkText, status);
    WriteOut("n=" + std::to_string(found) + " text=" + Utf16ToUtf8(linkText.View()) +
             " status=" + Utf16ToUtf8(status.View()) + "\n");
    return kExitOk;
}

}  // namespace pathbook::tool
