// pathbook-tool decode [-c ID] FILE: loads FILE as the editor does and writes
// the document's text to stdout as UTF-16LE without a mark, one U+000A
// between lines and none after the last.
#include <cstddef>
#include <cstring>

#include "text_file_options.h"

namespace pathbook::tool {
namespace {

// Output leaves in blocks of this many bytes, written as the lines are walked,
// so the text is never held a second time.
constexpr std::size_t kOutputBlock = 1 << 16;

// On a little-endian host the units already are UTF-16LE bytes.
const bool kLittleEndianHost = [] {
    const char16_t probe = 1;
    char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}();

class Utf16Out {
public:
    Utf16Out() = default;
    ~Utf16Out() { Flush(); }
    Utf16Out(const Utf16Out&) = delete;
    Utf16Out& operator=(const Utf16Out&) = delete;

    void Put(const char16_t* units, std::uint32_t count) {
        while (count > 0) {
            std::size_t room = (kOutputBlock - used_) / 2;
            std::size_t now = count < room ? count : room;
            char* out = bytes_ + used_;
            if (kLittleEndianHost) {
                std::memcpy(out, units, 2 * now);
            } else {
                for (std::size_t i = 0; i < now; ++i) {
                    out[2 * i] = static_cast<char>(units[i] & 0xFF);
                    out[2 * i + 1] = static_cast<char>(units[i] >> 8);
                }
            }
            used_ += 2 * now;
            units += now;
            count -= static_cast<std::uint32_t>(now);
            if (used_ == kOutputBlock) Flush();
        }
    }

private:
    void Flush() {
        WriteOut(bytes_, used_);
        used_ = 0;
    }

    char bytes_[kOutputBlock];
    std::size_t used_ = 0;
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
