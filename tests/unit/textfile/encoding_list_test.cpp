#include "textfile/encoding_list.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/code_page.h"

namespace pathbook {
namespace {

std::u16string NameOf(const EncodingList& list, CharsetId id) {
    std::int32_t row = FindEncoding(list, id);
    return row < 0 ? std::u16string() : std::u16string(list[row].name);
}

TEST(EncodingListTest, HasEveryRowWhenEveryCodePageIsValid) {
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
}

TEST(EncodingListTest, RowsUseTheWindowsCodePageTheirConditionGuards) {
    EncodingList list;
    BuildEncodingList(list);
    EXPECT_EQ(NameOf(list, 1250), u"Latin-2");
    EXPECT_EQ(NameOf(list, 1251), u"Cyrillic(Windows)");
    EXPECT_EQ(NameOf(list, 1253), u"Greek");
    EXPECT_EQ(FindEncoding(list, 28592), -1);
}

TEST(EncodingListTest, FindEncodingMissesIdsNoRowNames) {
    EncodingList list;
    EXPECT_EQ(FindEncoding(list, 0), -1);
    BuildEncodingList(list);
    EXPECT_EQ(FindEncoding(list, 1255), -1);
    EXPECT_EQ(NameOf(list, charset::kHz), u"Chinese(HZ)");
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
