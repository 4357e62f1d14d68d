#include "textfile/encoding_list.h"

#include "platform/code_page.h"

namespace pathbook {
namespace {

struct EncodingRow {
    CharsetId id;
    const char16_t* japaneseName;
    const char16_t* englishName;
    const char16_t* shortCode;
    std::int32_t flags;
    platform::CodePage condition;  // the row exists only if this code page is valid; 0 = always
};

// Latin-2, Cyrillic (Windows) and Greek are guarded by the ISO code page of the
// same script while the row itself uses the Windows code page.
constexpr EncodingRow kRows[] = {
    {charset::kAutoDetect, u"自動判定", u"AutoDetect", u"", 2, 0},
    {charset::kShiftJis, u"日本語(ShiftJIS)", u"Japanese(ShiftJIS)", u"SJIS", 3, 932},
    {charset::kEucJp, u"日本語(EUC)", u"Japanese(EUC)", u"EUC", 3, 932},
    {charset::kIso2022Jp, u"日本語(ISO-2022-JP)", u"Japanese(ISO-2022-JP)", u"JIS", 3, 932},
    {charset::kUtf5, u"UTF-5", u"UTF-5", u"UTF5", 3, 0},
    {charset::kUtf7, u"UTF-7", u"UTF-7", u"UTF7", 3, 0},
    {charset::kUtf8Bom, u"UTF-8", u"UTF-8", u"UTF8", 3, 0},
    {charset::kUtf8, u"UTF-8N", u"UTF-8N", u"UTF8", 1, 0},
    {charset::kUtf16BeBom, u"UTF-16BE(BOM)", u"UTF-16BE(BOM)", u"U16B", 1, 0},
    {charset::kUtf16LeBom, u"UTF-16LE(BOM)", u"UTF-16LE(BOM)", u"U16L", 1, 0},
    {charset::kUtf16Be, u"UTF-16BE", u"UTF-16BE", u"U16B", 3, 0},
    {charset::kUtf16Le, u"UTF-16LE", u"UTF-16LE", u"U16L", 3, 0},
    {charset::kUtf32BeBom, u"UTF-32BE(BOM)", u"UTF-32BE(BOM)", u"U32B", 1, 0},
    {charset::kUtf32LeBom, u"UTF-32LE(BOM)", u"UTF-32LE(BOM)", u"U32L", 1, 0},
    {charset::kUtf32Be, u"UTF-32BE", u"UTF-32BE", u"U32B", 3, 0},
    {charset::kUtf32Le, u"UTF-32LE", u"UTF-32LE", u"U32L", 3, 0},
    {charset::kLatin1, u"欧米", u"Latin-1", u"LTN1", 3, 0},
    {1250, u"中欧", u"Latin-2", u"LTN2", 3, 28592},
    {949, u"韓国語(EUC-KR)", u"Korean(EUC-KR)", u"UHC", 3, 949},
    {charset::kIso2022Kr, u"韓国語(ISO-2022-KR)", u"Korean(ISO-2022-KR)", u"I2KR", 3, 949},
    {1361, u"韓国語(Johab)", u"Korean(Johab)", u"Jhb", 3, 1361},
    {936, u"中国語(GB2312)", u"Chinese(GB2312)", u"GBK", 3, 936},
    {charset::kIso2022Cn, u"中国語(ISO-2022-CN)", u"Chinese(ISO-2022-CN)", u"I2CN", 3, 936},
    {charset::kHz, u"中国語(HZ)", u"Chinese(HZ)", u"HZ", 3, 936},
    {950, u"中国語(Big5)", u"Chinese(Big5)", u"BIG5", 3, 950},
    {1251, u"キリル語(Windows)", u"Cyrillic(Windows)", u"CYRL", 3, 28595},
    {20866, u"キリル語(KOI8-R)", u"Cyrillic(KOI8-R)", u"KO8R", 3, 20866},
    {21866, u"キリル語(KOI8-U)", u"Cyrillic(KOI8-U)", u"KO8U", 3, 21866},
    {874, u"タイ語", u"Thai", u"THAI", 3, 874},
    {1254, u"トルコ語", u"Turkish", u"TRK", 3, 1254},
    {1257, u"バルト語", u"Baltic", u"BALT", 3, 1257},
    {1258, u"ベトナム語", u"Vietnamese", u"VTNM", 3, 1258},
    {1253, u"ギリシャ語", u"Greek", u"GRK", 3, 28597},
    {437, u"MSDOS(us)", u"MSDOS(us)", u"DOS", 3, 0},
};

// The flags of the row with `id` on this system, or 0 when there is none.
std::int32_t FlagsOf(CharsetId id) {
    for (const EncodingRow& row : kRows) {
        if (row.id != id) continue;
        return row.condition == 0 || platform::IsValidCodePage(row.condition) ? row.flags : 0;
    }
    return 0;
}

}  // namespace

CharsetId OpeningEncoding(CharsetId id) { return FlagsOf(id) != 0 ? id : charset::kAutoDetect; }

CharsetId NewFileEncoding(CharsetId id) {
    if (FlagsOf(id) & kOfferedForSaving) return id;
    auto ansi = static_cast<CharsetId>(platform::AnsiCodePage());
    return FlagsOf(ansi) & kOfferedForSaving ? ansi : charset::kLatin1;
}

void BuildEncodingList(EncodingList& list) {
    bool japanese = platform::AnsiCodePage() == 932;
    for (const EncodingRow& row : kRows) {
        if (row.condition != 0 && !platform::IsValidCodePage(row.condition)) continue;
        list.PushBack({row.id, japanese ? row.japaneseName : row.englishName, row.shortCode, row.flags});
    }
}

}  // namespace pathbook
