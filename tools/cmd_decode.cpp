// pathbook-tool decode [-c ID] FILE: loads FILE as the editor does and writes
// the document's text to stdout as UTF-16LE without a mark, one U+000A
// between lines and none after the last.
#include <string>

#include "text_file_options.h"

namespace pathbook::tool {
namespace {

// Output leaves in blocks of this many bytes.
constexpr std::size_t kOutputBlock = 1 << 20;

class Utf16Out {
public:
    Utf16Out() { bytes_.reserve(2 * kOutputBlock); }
    ~Utf16Out() { WriteOut(bytes_); }
    Utf16Out(const Utf16Out&) = delete;
    Utf16Out& operator=(const Utf16Out&) = delete;

    void Put(const char16_t* units, std::uint32_t count) {
        std::size_t at = bytes_.size();
        bytes_.resize(at + 2 * std::size_t{count});
        char* out = &bytes_[at];
        for (std::uint32_t i = 0; i < count; ++i) {
            out[2 * i] = static_cast<char>(units[i] & 0xFF);
            out[2 * i + 1] = static_cast<char>(units[i] >> 8);
        }
        if (bytes_.size() >= kOutputBlock) {
            WriteOut(bytes_);
            bytes_.clear();
        }
    }

private:
    std::string bytes_;
};

}  // namespace

int RunDecode(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "c:");
    CharsetId requested = 0;
    if (!parsed.error.empty() || parsed.positional.size() != 1 ||
        !ParseCharsetOption(parsed, "c", charset::kAutoDetect, &requested)) {
        return Fail(kExitUsage, "usage: decode [-c ID] FILE");
    }
    Document document;
    LoadedFile loaded{};
    if (!LoadFile(parsed.positional[0], requested, document, &loaded)) {
        return Fail(kExitFileError, "cannot open " + parsed.positional[0]);
    }
    Utf16Out out;
    const char16_t lineFeed = 0x0A;
    for (LineIndex line = 0; line < document.LineCount(); ++line) {
        if (line > 0) out.Put(&lineFeed, 1);
        out.Put(document.LineText(line), document.LineLength(line));
    }
    return kExitOk;
}

}  // namespace pathbook::tool
