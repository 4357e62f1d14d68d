// The strict UTF-8 decoder against the other decoders where they must agree.
// On any bytes, the system conversion of code page 65001 gives what the strict
// decoder gives. On well-formed text without line breaks (the input made so
// by a round trip through the strict decoder and encoder, which must be
// stable), the file reader, which splits sequences by its own longer lead
// table, gives the same units too, whatever the read capacity (byte 0) that
// can hold a character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "runtime/utf8.h"
#include "textfile/charset.h"
#include "textfile/text_reader_factory.h"

namespace {

using namespace pathbook;

void CheckSystemConversion(const std::string& bytes, const std::u16string& strict) {
    std::vector<char16_t> units(bytes.size() + 1);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::size_t count = platform::DecodeCodePage(65001, data, bytes.size(), units.data(), units.size());
    if (std::u16string(units.data(), count) != strict) std::abort();
}

std::u16string ReadWholeFile(const std::string& bytes, std::uint32_t capacity) {
    auto size = static_cast<std::uint32_t>(bytes.size());
    std::unique_ptr<std::uint8_t[]> file(new std::uint8_t[size + 1]);
    bytes.copy(reinterpret_cast<char*>(file.get()), size);
    std::unique_ptr<TextReader> reader = CreateTextReader(charset::kUtf8, file.get(), size);
    std::vector<char16_t> buffer(capacity);
    std::u16string text;
    // Every read makes progress, so the bytes bound the number of reads.
    for (std::size_t reads = 0; reader->State() != ReadState::kFinished; ++reads) {
        text.append(buffer.data(), reader->Read(buffer.data(), capacity));
        if (text.size() > bytes.size() || reads > 2 * bytes.size() + 2) std::abort();
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::u16string strict = Utf8ToUtf16(bytes);
    CheckSystemConversion(bytes, strict);

    std::u16string text;
    for (char16_t unit : strict) {
        if (unit != u'\r' && unit != u'\n' && unit != 0xFEFF) text.push_back(unit);
    }
    std::string wellFormed = Utf16ToUtf8(text);
    if (Utf8ToUtf16(wellFormed) != text) std::abort();
    // Two units at the least: one character may need both.
    if (ReadWholeFile(wellFormed, 2 + data[0] * 2u) != text) std::abort();
    return 0;
}
