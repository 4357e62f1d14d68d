// The encoding table, and every encoding of it saves (without a loss reported) and loads back a
// text it can hold, with its mark and its line-end style. Under Wine this runs
// the system's own code-page conversion.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/code_page.h"
#include "runtime/utf8.h"
#include "support/temp_folder.h"
#include "text_io.h"
#include "textfile/encoding_list.h"
#include "textfile/text_file_in.h"

namespace pathbook {
namespace {

using test::U;

const char* const kJapanese = "日本語のテキスト、カタカナ ｱｲｳｴｵ ⅰ髙 ~\\ ABC";
const char* const kUnicode = "Aé日本語 한국어 中文 Привет Καλημέρα ภาษาไทย 😀𝄞 ~+-\\";

// A text for each code page that it can hold.
const std::map<CharsetId, const char*> kTexts = {
    {932, kJapanese},
    {charset::kEucJp, kJapanese},
    {charset::kIso2022Jp, kJapanese},
    {1252, "café déjà vu ÿ © ¼"},
    {1250, "Příliš žluťoučký kůň"},
    {949, "한국어 텍스트 ~"},
    {charset::kIso2022Kr, "한국어 텍스트 ~"},
    {1361, "한국어 텍스트"},
    {936, "中文文本 简体 ~"},
    {charset::kIso2022Cn, "中文文本 简体 ~"},
    {charset::kHz, "中文文本 ~{ 简体 ~~ ~}"},
    {950, "中文繁體"},
    {1251, "Привет мир"},
    {20866, "Привет мир"},
    {21866, "Ґанок і є"},
    {874, "ภาษาไทย"},
    {1254, "İstanbul ğüşçö"},
    {1257, "Ąžuolas ėglė Šiauliai"},
    {1258, "Đ đ Ơ ơ Ư ư à á â"},
    {1253, "Καλημέρα κόσμε"},
    {437, "┌─┐ é ñ ü"},
};

std::vector<std::u16string> Lines(const char* text) {
    return {U(text), U("second line ") + U(text), u"", U("last")};
}

std::vector<std::u16string> LoadBack(const std::u16string& path, CharsetId requested, CharsetId* detected) {
    TextFileIn in(requested);
    if (!in.Open(path.c_str())) return {};
    *detected = in.Charset();
    return test::DrainLines(in);
}

TEST(RoundTripTest, EveryEncodingOfTheTable) {
    EncodingList list;
    BuildEncodingList(list);
    test::TempFolder folder;
    int tested = 0;
    for (std::int32_t row = 0; row < list.Count(); ++row) {
        CharsetId id = list[row].id;
        if (id == charset::kAutoDetect) continue;
        auto found = kTexts.find(id);
        bool unicode = id < 0 || id == charset::kUtf7 || id == charset::kUtf8;
        const char* text = found != kTexts.end() ? found->second : unicode ? kUnicode : nullptr;
        ASSERT_NE(text, nullptr) << "no sample text for " << id;
        for (LineEnd lineEnd : {LineEnd::kCr, LineEnd::kLf, LineEnd::kCrLf}) {
            std::vector<std::u16string> lines = Lines(text);
            std::string name = "rt" + std::to_string(row) + "_" + std::to_string(static_cast<int>(lineEnd));
            std::string bytes = test::Encode(id, lines, lineEnd, LossPolicy::kRefuse);
            folder.Write(name, bytes);
            CharsetId loaded = 0;
            EXPECT_EQ(LoadBack(folder.File(name), id, &loaded), lines) << id << " " << bytes;
            EXPECT_EQ(loaded, id);
        }
        ++tested;
    }
    EXPECT_EQ(tested, 33) << "rows missing from the encoding table here";
}

TEST(RoundTripTest, DetectionFindsWhatWasSaved) {
    test::TempFolder folder;
    const struct {
        CharsetId saved;
        const char* text;
    } cases[] = {
        {charset::kUtf8Bom, kUnicode},      {charset::kUtf8, kUnicode},
        {charset::kUtf16LeBom, kUnicode},   {charset::kUtf16BeBom, kUnicode},
        {charset::kUtf32LeBom, kUnicode},   {charset::kUtf32BeBom, kUnicode},
        {charset::kIso2022Jp, kJapanese},   {charset::kEucJp, kJapanese},
        {charset::kIso2022Kr, "한국어"},    {charset::kIso2022Cn, "中文"},
        {charset::kUtf5, "Utf-5 text"},
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> lines(40, U(c.text));
        folder.Write("d.txt", test::Encode(c.saved, lines, c.saved == charset::kUtf5 ? LineEnd::kCrLf : LineEnd::kLf));
        CharsetId detected = 0;
        std::vector<std::u16string> loaded = LoadBack(folder.File("d.txt"), charset::kAutoDetect, &detected);
        EXPECT_EQ(detected, c.saved);
        EXPECT_EQ(loaded, lines) << c.saved;
    }
}

// The table itself: its rows, names and the ids it lets in.
std::u16string NameOf(const EncodingList& list, CharsetId id) {
    std::int32_t row = FindEncoding(list, id);
    return row < 0 ? std::u16string() : std::u16string(list[row].name);
}

TEST(EncodingListTest, HasEveryRowWhenEveryCodePageIsValidAndNoOther) {
    for (platform::CodePage codePage : {932u, 28592u, 949u, 1361u, 936u, 950u, 28595u, 20866u, 21866u, 874u,
                                         1254u, 1257u, 1258u, 28597u}) {
        ASSERT_TRUE(platform::IsValidCodePage(codePage)) << codePage;
    }
    EncodingList list;
    BuildEncodingList(list);
    ASSERT_EQ(list.Count(), 34);
    EXPECT_EQ(list[0].id, charset::kAutoDetect);
    EXPECT_EQ(list[0].flags, kOfferedForOpening);
    EXPECT_EQ(list[33].id, 437);
    EXPECT_EQ(list[FindEncoding(list, charset::kUtf8)].flags, kOfferedForSaving);  // UTF-8N: saving only
    // Rows use the Windows code page their condition guards.
    EXPECT_EQ(NameOf(list, 1250), u"Latin-2");
    EXPECT_EQ(NameOf(list, 1251), u"Cyrillic(Windows)");
    EXPECT_EQ(NameOf(list, 1253), u"Greek");
    EXPECT_EQ(FindEncoding(list, 28592), -1);
    EXPECT_EQ(FindEncoding(list, 1255), -1);
    EXPECT_EQ(NameOf(list, charset::kHz), u"Chinese(HZ)");
    EXPECT_EQ(FindEncoding(EncodingList(), 0), -1);
}

TEST(EncodingListTest, OnlyRowsOfTheTableComeIn) {
    auto ansi = static_cast<CharsetId>(platform::AnsiCodePage());
    const struct {
        CharsetId id, opening, newFile;
    } cases[] = {
        {932, 932, 932},        {-65001, -65001, -65001}, {65001, 65001, 65001}, {-3, -3, -3},
        {0, 0, ansi},           {1255, 0, ansi},          {-1, 0, ansi},         {12345, 0, ansi},
        {-99, 0, ansi},         {28592, 0, ansi},         {1250, 1250, 1250},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpeningEncoding(c.id), c.opening) << c.id;
        EXPECT_EQ(NewFileEncoding(c.id), c.newFile) << c.id;
    }
}

TEST(EncodingListTest, ShortCodesAreSharedWithinAFamily) {
    EncodingList list;
    BuildEncodingList(list);
    for (auto [a, b] : {std::pair{charset::kUtf8Bom, charset::kUtf8}, {charset::kUtf16BeBom, charset::kUtf16Be},
                        {charset::kUtf16LeBom, charset::kUtf16Le}, {charset::kUtf32BeBom, charset::kUtf32Be},
                        {charset::kUtf32LeBom, charset::kUtf32Le}}) {
        EXPECT_EQ(std::u16string(list[FindEncoding(list, a)].shortCode),
                  std::u16string(list[FindEncoding(list, b)].shortCode));
    }
}

TEST(EncodingListTest, NamesFollowTheAnsiCodePage) {
    platform::CodePage saved = platform::AnsiCodePage();
    if (!platform::OverrideAnsiCodePage(932)) GTEST_SKIP() << "the system decides the ANSI code page";
    EncodingList japanese;
    BuildEncodingList(japanese);
    platform::OverrideAnsiCodePage(saved);
    EXPECT_EQ(std::u16string(japanese[0].name), u"自動判定");
    EXPECT_EQ(NameOf(japanese, 932), u"日本語(ShiftJIS)");
    EncodingList english;
    BuildEncodingList(english);
    EXPECT_EQ(std::u16string(english[0].name), u"AutoDetect");
}

}  // namespace
}  // namespace pathbook
