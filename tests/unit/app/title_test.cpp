#include "app/title.h"

#include <gtest/gtest.h>

#include "runtime/utf8.h"

namespace pathbook {
namespace {

struct TitleCase {
    const char16_t* path;
    int favoriteSlot;
    const char16_t* folderName;
    bool minimized, modified, locked;
    const char16_t* product;
    const char16_t* expected;
};

TEST(TitleTest, ComposesEveryForm) {
    const TitleCase cases[] = {
        {u"", -1, u"", false, false, false, u"パスブック", u"untitled - パスブック"},
        {u"", -1, u"", false, true, true, u"Pathbook", u"untitled * - Pathbook (編集禁止)"},
        {u"C:\\notes\\home.txt", 0, u"", false, true, true, u"パスブック", u"ホーム > home.txt * - パスブック (編集禁止)"},
        {u"C:\\notes\\memo.txt", 3, u"", false, false, false, u"パスブック", u"お気に入りNo.3 > memo.txt - パスブック"},
        {u"C:\\Users\\u\\Documents\\memo.txt", -1, u"Documents", false, false, false, u"Pathbook",
         u"Documents > memo.txt - Pathbook"},
        {u"C:/Users/u/Documents/memo.txt", -1, u"Documents", true, false, false, u"Pathbook",
         u"Documents > memo.txt - Pathbook"},
        {u"D:\\work\\a.txt", -1, u"", false, false, false, u"Pathbook", u"D:\\work\\a.txt - Pathbook"},
        {u"D:\\work\\a.txt", -1, u"", true, true, false, u"Pathbook", u"a.txt * - Pathbook"},
        {u"D:\\work\\a.txt", 15, u"Documents", true, false, false, u"P", u"お気に入りNo.15 > a.txt - P"},
    };
    for (const TitleCase& c : cases) {
        TitleInputs in{c.path, c.favoriteSlot, c.folderName, c.minimized, c.modified, c.locked, c.product, u""};
        EXPECT_EQ(ComposeTitle(in), String(c.expected)) << Utf16ToUtf8(c.path);
    }
    TitleInputs gone{u"D:\\work\\a.txt", 2, u"", false, true, false, u"P", u"（削除済み）"};
    EXPECT_EQ(ComposeTitle(gone), String(u"お気に入りNo.2 > a.txt （削除済み） * - P"));
}

}  // namespace
}  // namespace pathbook
