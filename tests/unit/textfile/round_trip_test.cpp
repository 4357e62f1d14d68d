// Every encoding of the table saves (without a loss reported) and loads back a
// text it can hold, with its mark and its line-end style. Under Wine this runs
// the system's own code-page conversion.
#include <gtest/gtest.h>

#include <map>
#include <string>

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
    struct Case {
        CharsetId saved;
        const char* text;
    };
    const Case cases[] = {
        {charset::kUtf8Bom, kUnicode},      {charset::kUtf8, kUnicode},
        {charset::kUtf16LeBom, kUnicode},   {charset::kUtf16BeBom, kUnicode},
        {charset::kUtf32LeBom, kUnicode},   {charset::kUtf32BeBom, kUnicode},
        {charset::kIso2022Jp, kJapanese},   {charset::kEucJp, kJapanese},
        {charset::kIso2022Kr, "한국어"},    {charset::kIso2022Cn, "中文"},
        {charset::kUtf5, "Utf-5 text"},
    };
    for (const Case& c : cases) {
        std::vector<std::u16string> lines(40, U(c.text));
        folder.Write("d.txt", test::Encode(c.saved, lines, c.saved == charset::kUtf5 ? LineEnd::kCrLf : LineEnd::kLf));
        CharsetId detected = 0;
        std::vector<std::u16string> loaded = LoadBack(folder.File("d.txt"), charset::kAutoDetect, &detected);
        EXPECT_EQ(detected, c.saved);
        EXPECT_EQ(loaded, lines) << c.saved;
    }
}

}  // namespace
}  // namespace pathbook
