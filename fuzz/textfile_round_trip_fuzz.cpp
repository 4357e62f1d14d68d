// Arbitrary UTF-16 saved in a Unicode encoding and read back: the lines must
// come back as they went in, less U+FEFF where the readers drop it (everywhere
// in the unit readers, only at the very start of UTF-8 without a mark), and
// with unpaired surrogates as U+FFFD in UTF-8 and UTF-7. Byte 0 picks the encoding
// and the line-end style; the rest is the text, little-endian.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "textfile/text_file_out.h"
#include "textfile/text_reader_factory.h"

namespace {

using namespace pathbook;

constexpr CharsetId kExact[] = {charset::kUtf16Le, charset::kUtf16BeBom, charset::kUtf32Le,
                                charset::kUtf32BeBom, charset::kUtf5};
constexpr CharsetId kReplacing[] = {charset::kUtf8, charset::kUtf8Bom, charset::kUtf7};

// Splits at CR, LF and CR LF, as a document does.
std::vector<std::u16string> SplitLines(const std::u16string& text) {
    std::vector<std::u16string> lines(1);
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

bool DropsEveryMark(CharsetId charset) { return charset != charset::kUtf8 && charset != charset::kUtf8Bom; }

std::u16string Expected(const std::u16string& line, CharsetId charset, bool replacing, bool startOfText) {
    std::u16string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char16_t unit = line[i];
        bool high = unit >= 0xD800 && unit <= 0xDBFF;
        bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (replacing && high && i + 1 < line.size() && line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF) {
            out += unit;
            out += line[++i];
            continue;
        }
        bool readAsMark = startOfText && i == 0 && charset == charset::kUtf8;
        if (unit == 0xFEFF && (DropsEveryMark(charset) || readAsMark)) continue;
        out += replacing && (high || low) ? u'\uFFFD' : unit;
    }
    return out;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    constexpr std::uint32_t kExactCount = sizeof kExact / sizeof kExact[0];
    constexpr std::uint32_t kAllCount = kExactCount + sizeof kReplacing / sizeof kReplacing[0];
    std::uint32_t pick = data[0] % kAllCount;
    bool replacing = pick >= kExactCount;
    CharsetId charset = replacing ? kReplacing[pick - kExactCount] : kExact[pick];
    auto lineEnd = static_cast<LineEnd>((data[0] / kAllCount) % 3);
    std::u16string text;
    for (std::size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    std::vector<std::u16string> lines = SplitLines(text);

    static const std::string path = "/tmp/pathbook-round-trip-fuzz-" + std::to_string(getpid());
    std::u16string path16(path.begin(), path.end());
    TextFileOut out(charset, lineEnd);
    if (!out.Open(path16.c_str())) std::abort();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.WriteLine(lines[i].data(), static_cast<std::uint32_t>(lines[i].size()), i + 1 == lines.size());
    }
    if (!out.Close()) std::abort();
    std::string bytes = ReadAll(path);
    std::unique_ptr<TextReader> reader =
        CreateTextReader(charset, reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::uint32_t>(bytes.size()));
    std::vector<std::u16string> back(1);
    char16_t buffer[1024];
    while (reader->State() != ReadState::kFinished) {
        std::uint32_t count = reader->Read(buffer, 1024);
        back.back().append(buffer, count);
        if (reader->State() == ReadState::kAtLineBreak) back.emplace_back();
    }
    if (back.size() != lines.size()) std::abort();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (back[i] != Expected(lines[i], charset, replacing, i == 0)) std::abort();
    }
    return 0;
}
