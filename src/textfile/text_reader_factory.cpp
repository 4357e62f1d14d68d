#include "textfile/text_reader_factory.h"

#include "platform/code_page.h"
#include "textfile/code_page_reader.h"
#include "textfile/iso2022_reader.h"
#include "textfile/unit_line_reader.h"
#include "textfile/utf16_reader.h"
#include "textfile/utf32_reader.h"
#include "textfile/utf5_reader.h"
#include "textfile/utf7_reader.h"

namespace pathbook {
namespace {

using Set = CharacterSet;

struct Iso2022Row {
    CharsetId charset;
    Iso2022Config config;
    platform::CodePage needs;  // decodes the double-byte sets
};

constexpr Iso2022Row kIso2022Rows[] = {
    {charset::kIso2022Kr, {true, false, {Set::kAscii, Set::kKsX1001, Set::kAscii, Set::kAscii}}, 949},
    {charset::kHz, {true, true, {Set::kAscii, Set::kGb2312, Set::kAscii, Set::kAscii}}, 936},
    {charset::kIso2022Cn, {true, false, {Set::kAscii, Set::kGb2312, Set::kAscii, Set::kAscii}}, 936},
    {charset::kIso2022Jp, {false, false, {Set::kAscii, Set::kKatakana, Set::kAscii, Set::kAscii}}, 932},
    {charset::kEucJp, {true, false, {Set::kAscii, Set::kJisX0208, Set::kKatakana, Set::kAscii}}, 932},
};

template <typename Units>
std::unique_ptr<TextReader> UnitReader(ByteCursor bytes) {
    return std::make_unique<UnitLineReader<Units>>(Units(bytes));
}

std::unique_ptr<TextReader> CreateReader(CharsetId charset, const std::uint8_t* bytes, std::uint32_t size,
                                         bool fastPaths) {
    ByteCursor cursor{bytes, bytes + size};
    for (const Iso2022Row& row : kIso2022Rows) {
        if (row.charset == charset) return std::make_unique<Iso2022Reader>(row.config, cursor, fastPaths);
    }
    switch (charset) {
        case charset::kUtf7: return UnitReader<Utf7Units>(cursor);
        case charset::kUtf5: return UnitReader<Utf5Units>(cursor);
        case charset::kUtf32LeBom:
        case charset::kUtf32Le: return UnitReader<Utf32Units<ByteOrder::kLittleEndian>>(cursor);
        case charset::kUtf32BeBom:
        case charset::kUtf32Be: return UnitReader<Utf32Units<ByteOrder::kBigEndian>>(cursor);
        case charset::kUtf16LeBom:
        case charset::kUtf16Le: return UnitReader<Utf16Units<ByteOrder::kLittleEndian>>(cursor);
        case charset::kUtf16BeBom:
        case charset::kUtf16Be: return UnitReader<Utf16Units<ByteOrder::kBigEndian>>(cursor);
        case charset::kUtf8Bom: return std::make_unique<CodePageReader>(charset::kUtf8, cursor, fastPaths);
        default: break;
    }
    auto codePage = charset > 0 ? static_cast<platform::CodePage>(charset) : platform::AnsiCodePage();
    return std::make_unique<CodePageReader>(codePage, cursor, fastPaths);
}

}  // namespace

std::unique_ptr<TextReader> CreateTextReader(CharsetId charset, const std::uint8_t* bytes, std::uint32_t size) {
    return CreateReader(charset, bytes, size, true);
}

std::unique_ptr<TextReader> CreateExactTextReader(CharsetId charset, const std::uint8_t* bytes, std::uint32_t size) {
    return CreateReader(charset, bytes, size, false);
}

bool CanRead(CharsetId charset) {
    for (const Iso2022Row& row : kIso2022Rows) {
        if (row.charset == charset) return platform::IsValidCodePage(row.needs);
    }
    if (charset == charset::kUtf8Bom) return platform::IsValidCodePage(charset::kUtf8);
    if (charset <= 0 || charset == charset::kUtf7) return true;
    return platform::IsValidCodePage(static_cast<platform::CodePage>(charset));
}

}  // namespace pathbook
