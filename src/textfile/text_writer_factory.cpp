#include "textfile/text_writer_factory.h"

#include "platform/code_page.h"
#include "textfile/code_page_writers.h"
#include "textfile/unit_writers.h"

namespace pathbook {
namespace {

struct Opening {
    CharsetId charset;
    platform::CodePage needs;  // 0: no code page
    std::string_view header;   // written when the file is opened
};

constexpr Opening kOpenings[] = {
    {charset::kIso2022Kr, 949, std::string_view("\x1B$)C", 4)},
    {charset::kIso2022Cn, 936, std::string_view("\x1B$)A", 4)},
    {charset::kHz, 936, {}},
    {charset::kIso2022Jp, 932, std::string_view("\x1B(B", 3)},
    {charset::kEucJp, 932, {}},
    {charset::kUtf32LeBom, 0, std::string_view("\xFF\xFE\x00\x00", 4)},
    {charset::kUtf32BeBom, 0, std::string_view("\x00\x00\xFE\xFF", 4)},
    {charset::kUtf16LeBom, 0, std::string_view("\xFF\xFE", 2)},
    {charset::kUtf16BeBom, 0, std::string_view("\xFE\xFF", 2)},
    {charset::kUtf8Bom, 65001, std::string_view("\xEF\xBB\xBF", 3)},
};

Opening OpeningOf(CharsetId charset) {
    for (const Opening& opening : kOpenings) {
        if (opening.charset == charset) return opening;
    }
    return {charset, charset > 0 ? static_cast<platform::CodePage>(charset) : 0, {}};
}

std::unique_ptr<TextWriter> WriterFor(CharsetId charset) {
    switch (charset) {
        case charset::kIso2022Kr: return std::make_unique<Iso2022Writer>(949, Iso2022Writer::Shifts::kSoSi);
        case charset::kIso2022Cn: return std::make_unique<Iso2022Writer>(936, Iso2022Writer::Shifts::kSoSi);
        case charset::kHz: return std::make_unique<Iso2022Writer>(936, Iso2022Writer::Shifts::kHz);
        case charset::kIso2022Jp: return std::make_unique<Iso2022JpWriter>();
        case charset::kEucJp: return std::make_unique<EucJpWriter>();
        case charset::kUtf32LeBom:
        case charset::kUtf32Le: return std::make_unique<Utf32Writer<ByteOrder::kLittleEndian>>();
        case charset::kUtf32BeBom:
        case charset::kUtf32Be: return std::make_unique<Utf32Writer<ByteOrder::kBigEndian>>();
        case charset::kUtf16LeBom:
        case charset::kUtf16Le: return std::make_unique<Utf16Writer<ByteOrder::kLittleEndian>>();
        case charset::kUtf16BeBom:
        case charset::kUtf16Be: return std::make_unique<Utf16Writer<ByteOrder::kBigEndian>>();
        case charset::kUtf5: return std::make_unique<Utf5Writer>();
        case charset::kUtf8Bom: return std::make_unique<CodePageWriter>(charset::kUtf8);
        default: break;
    }
    if (charset <= 0) return nullptr;
    return std::make_unique<CodePageWriter>(static_cast<platform::CodePage>(charset));
}

}  // namespace

std::unique_ptr<TextWriter> CreateTextWriter(CharsetId charset) {
    Opening opening = OpeningOf(charset);
    if (opening.needs != 0 && !platform::IsValidCodePage(opening.needs)) return nullptr;
    return WriterFor(charset);
}

std::string_view FileHeader(CharsetId charset) { return OpeningOf(charset).header; }

}  // namespace pathbook
