// pathbook-tool decode [-c ID] FILE: loads FILE as the editor does and writes
// the document's text to stdout as UTF-16LE without a mark, one U+000A
// between lines and none after the last.
#include <cstddef>
#include <cstring>

#include "text_file_options.h"

namespace pathbook::tool {
namespace {

// Output is gathered in pieces that point into the document, handed on this
// many at a time, so the text is neither held a second time nor copied.
constexpr std::size_t kPiecesPerWrite = 1024;

// On a little-endian host the units already are UTF-16LE bytes.
const bool kLittleEndianHost = [] {
    const char16_t probe = 1;
    char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}();

const char16_t kLineFeed = 0x0A;

// The document's lines on stdout, saved as to a file: the units must stay
// unchanged until Close.
class Utf16Out final : public TextSink {
public:
    Utf16Out() = default;
    Utf16Out(const Utf16Out&) = delete;
    Utf16Out& operator=(const Utf16Out&) = delete;

    void WriteLine(const char16_t* units, std::uint32_t count, bool isLast) override {
        Put(units, count);
        if (!isLast) Put(&kLineFeed, 1);
    }

    bool Close() override {
        Flush();
        return true;
    }

private:
    void Put(const char16_t* units, std::uint32_t count) {
        if (kLittleEndianHost) {
            Add(units, 2 * std::size_t{count});
        } else {
            PutSwapped(units, count);
        }
    }

    void Add(const void* bytes, std::size_t count) {
        if (count == 0) return;
        pieces_[used_++] = {bytes, count};
        if (used_ == kPiecesPerWrite) Flush();
    }

    // Other hosts swap each unit's bytes in a buffer of their own, which is
    // written before it is filled again.
    void PutSwapped(const char16_t* units, std::uint32_t count) {
        while (count > 0) {
            std::size_t now = count < kSwapUnits ? count : kSwapUnits;
            Flush();
            for (std::size_t i = 0; i < now; ++i) {
                swapped_[2 * i] = static_cast<char>(units[i] & 0xFF);
                swapped_[2 * i + 1] = static_cast<char>(units[i] >> 8);
            }
            Add(swapped_, 2 * now);
            Flush();
            units += now;
            count -= static_cast<std::uint32_t>(now);
        }
    }

    void Flush() {
        WriteOutPieces(pieces_, used_);
        used_ = 0;
    }

    static constexpr std::size_t kSwapUnits = 1 << 15;
    OutPiece pieces_[kPiecesPerWrite];
    std::size_t used_ = 0;
    char swapped_[2 * kSwapUnits];
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
    document.Save(out);
    ExitNow(kExitOk);
}

}  // namespace pathbook::tool
