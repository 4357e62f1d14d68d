// Every encoder of the table over arbitrary text: a save either reports that it
// would lose characters (and then replaces nothing), or the file it wrote
// loads back, as the editor loads it in that encoding, to exactly the lines
// that were saved. Byte 0 picks the encoding, byte 1 the line-end style and
// where the text comes from: the rest of the input as UTF-16LE, or the rest
// decoded in the chosen encoding (text it can mostly hold, so that saves get
// through as often as they are refused).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_charsets.h"
#include "platform/file_system.h"
#include "textfile/decoded_break_splitter.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"
#include "textfile/text_reader_factory.h"

namespace {

using namespace pathbook;

using Lines = std::vector<std::u16string>;

Lines Drain(TextSource& source) {
    Lines lines(1);
    char16_t buffer[1024];
    while (source.State() != ReadState::kFinished) {
        std::uint32_t count = source.Read(buffer, 1024);
        lines.back().append(buffer, count);
        if (source.State() == ReadState::kAtLineBreak) lines.emplace_back();
        if (source.State() == ReadState::kBufferFull && count == 0) break;
    }
    return lines;
}

Lines FromUtf16(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    Lines lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(unit);
        }
    }
    return lines;
}

Lines Decoded(CharsetId charset, const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<TextReader> reader = CreateTextReader(charset, data, static_cast<std::uint32_t>(size));
    DecodedBreakSplitter lines(reader.get());
    return Drain(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    CharsetId charset = fuzz::kCharsets[1 + data[0] % (fuzz::kCharsetCount - 1)];  // not AutoDetect
    auto lineEnd = static_cast<LineEnd>(data[1] % 3);
    Lines lines = data[1] & 4 ? Decoded(charset, data + 2, size - 2) : FromUtf16(data + 2, size - 2);

    static const std::u16string path = [] {
        std::string name = "/tmp/pathbook-round-trip-fuzz-" + std::to_string(getpid());
        return std::u16string(name.begin(), name.end());
    }();
    platform::RemoveFile(path.c_str());
    TextFileOut out(charset, lineEnd);
    if (!out.Open(path.c_str())) return 0;  // a code page this system lacks
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.WriteLine(lines[i].data(), static_cast<std::uint32_t>(lines[i].size()), i + 1 == lines.size());
    }
    if (!out.Close()) {
        if (out.Failure() != SaveFailure::kLossy || out.LostCharacters().empty()) std::abort();
        if (platform::FileAttributes(path.c_str()) != platform::kInvalidAttributes) std::abort();
        for (const LostCharacter& lost : out.LostCharacters()) {
            if (lost.line >= lines.size() || (lost.column >= lines[lost.line].size() && lost.column != 0)) {
                std::abort();
            }
        }
        return 0;
    }
    TextFileIn in(charset);
    if (!in.Open(path.c_str())) std::abort();
    if (Drain(in) != lines) std::abort();
    return 0;
}
