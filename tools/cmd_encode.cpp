// pathbook-tool encode -c ID [-l 0|1|2] [--lossy] OUT: reads UTF-16LE from
// stdin (every unit is text, U+FEFF included), inserts it into a new document,
// which splits it at CR, LF and CR LF, and saves it to OUT in encoding ID with
// line-end style -l (default 2, CR LF). A save that would lose characters is
// refused unless --lossy.
#include <cstdio>
#include <string>

#include "document/edit_command.h"
#include "text_file_options.h"

namespace pathbook::tool {
namespace {

std::u16string ReadStdinUtf16() {
    std::string bytes;
    char block[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, stdin)) > 0) bytes.append(block, got);
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                         static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

}  // namespace

int RunEncode(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:l:", {"lossy"});
    CharsetId charset = 0;
    LineEnd lineEnd = LineEnd::kCrLf;
    if (!parsed.error.empty() || parsed.positional.size() != 1 || !parsed.Has("c") ||
        !ParseCharsetOption(parsed, "c", charset::kAutoDetect, &charset) ||
        !ParseLineEndOption(parsed, LineEnd::kCrLf, &lineEnd)) {
        return Fail(kExitUsage, "usage: encode -c ID [-l 0|1|2] [--lossy] OUT < utf16le");
    }
    Document document;
    InsertCommand text(DocPos::At(0, 0), ReadStdinUtf16());
    document.Execute(text);
    return SaveFile(document, parsed.positional[0], charset, lineEnd,
                    parsed.Has("lossy") ? LossPolicy::kAllow : LossPolicy::kRefuse);
}

}  // namespace pathbook::tool
