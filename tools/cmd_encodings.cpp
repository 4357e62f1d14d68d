// pathbook-tool encodings: the encoding table, one row per line:
// <CharsetId> TAB <display name> TAB <short code> TAB <flags>.
#include "runtime/utf8.h"
#include "textfile/encoding_list.h"
#include "tool_command.h"

namespace pathbook::tool {

int RunEncodings(const Arguments& args) {
    if (!args.empty()) return Fail(kExitUsage, "encodings takes no arguments");
    EncodingList list;
    BuildEncodingList(list);
    std::string out;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const EncodingEntry& row = list[i];
        out += std::to_string(row.id) + "\t" + Utf16ToUtf8(row.name) + "\t" + Utf16ToUtf8(row.shortCode) +
               "\t" + std::to_string(row.flags) + "\n";
    }
    WriteOut(out);
    return kExitOk;
}

}  // namespace pathbook::tool
