#include <gtest/gtest.h>

#include <climits>

#include "app/favorites_dialog_rules.h"

namespace pathbook {
namespace {

constexpr PixelSize kTemplate{640, 380};
constexpr PixelSize kScreen{1920, 1080};

void ExpectSize(PixelSize size, std::int32_t width, std::int32_t height) {
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
}

// The list's place and size, then the top of the button row.
void ExpectLayout(const FavoritesLayout& layout, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height, std::int32_t buttonTop) {
    EXPECT_EQ(layout.list.x, x);
    EXPECT_EQ(layout.list.y, y);
    EXPECT_EQ(layout.list.width, width);
    EXPECT_EQ(layout.list.height, height);
    EXPECT_EQ(layout.buttonTop, buttonTop);
}

TEST(FavoritesDialogSizeTest, UnsetOrNotPositiveGivesTheTemplate) {
    ExpectSize(FavoritesDialogSize(INT32_MIN, INT32_MIN, kTemplate, kScreen, 96), 640, 380);
    ExpectSize(FavoritesDialogSize(0, 0, kTemplate, kScreen, 96), 640, 380);  // a fresh shared block
    ExpectSize(FavoritesDialogSize(700, -5, kTemplate, kScreen, 96), 640, 380);
    ExpectSize(FavoritesDialogSize(900, 500, kTemplate, kScreen, 96), 900, 500);
}

TEST(FavoritesDialogSizeTest, NeverBelowTheMinimumNorBeyondTheScreen) {
    ExpectSize(FavoritesDialogSize(INT32_MIN, INT32_MIN, {400, 200}, kScreen, 96), 600, 300);
    ExpectSize(FavoritesDialogSize(100, 100, kTemplate, kScreen, 96), 600, 300);
    ExpectSize(FavoritesDialogSize(INT32_MAX, 5000, kTemplate, kScreen, 96), 1920, 1080);
    ExpectSize(FavoritesDialogSize(900, 500, kTemplate, {500, 200}, 96), 600, 300);  // a tiny screen: the minimum wins
}

TEST(FavoritesLayoutTest, ListAndButtonRowFollowTheClientArea) {
    ExpectLayout(LayOutFavorites({700, 400}, 96), 10, 10, 680, 350, 370);
    ExpectLayout(LayOutFavorites({5, 5}, 96), 10, 10, 0, 0, 0);
}

TEST(FavoritesDialogSizeTest, RememberedSizesAndFixedSizesFollowTheDpi) {
    // The remembered size is the one at 96 DPI; the template comes scaled by the system already.
    ExpectSize(FavoritesDialogSize(900, 500, kTemplate, kScreen, 144), 1350, 750);
    ExpectSize(FavoritesDialogSize(INT32_MIN, INT32_MIN, {960, 570}, kScreen, 144), 960, 570);
    ExpectSize(FavoritesDialogSize(100, 100, kTemplate, {3840, 2160}, 192), 1200, 600);
    ExpectSize(FavoritesMinimumSize(144), 900, 450);
    const std::int32_t columns96[] = {50, 150, 100, 500};
    for (int i = 0; i < kFavoritesColumnCount; ++i) {
        EXPECT_EQ(FavoritesColumnWidth(i, 96), columns96[i]);
        EXPECT_EQ(FavoritesColumnWidth(i, 192), 2 * columns96[i]);
    }
    EXPECT_EQ(FavoritesColumnWidth(4, 96), 0);
    ExpectLayout(LayOutFavorites({1400, 800}, 192), 20, 20, 1360, 700, 740);
}

TEST(SelectedFilesTest, OneFileOrAFolderWithNames) {
    const char16_t one[] = u"C:\\notes\\a.txt\0\0";
    EXPECT_EQ(SelectedFiles(one, sizeof one / 2), std::vector<String>{String(u"C:\\notes\\a.txt")});
    const char16_t several[] = u"C:\\notes\0a.txt\0b,c.txt\0\0";
    EXPECT_EQ(SelectedFiles(several, sizeof several / 2),
              (std::vector<String>{String(u"C:\\notes\\a.txt"), String(u"C:\\notes\\b,c.txt")}));
    const char16_t root[] = u"C:\\\0a.txt\0\0";
    EXPECT_EQ(SelectedFiles(root, sizeof root / 2), std::vector<String>{String(u"C:\\a.txt")});
    const char16_t absolute[] = u"C:\\notes\0D:\\x.txt\0\0";
    EXPECT_EQ(SelectedFiles(absolute, sizeof absolute / 2), std::vector<String>{String(u"D:\\x.txt")});
}

TEST(SelectedFilesTest, NothingOrAnUnendedBufferIsReadSafely) {
    const char16_t empty[] = u"\0";
    EXPECT_TRUE(SelectedFiles(empty, 1).empty());
    const char16_t unended[] = {u'C', u':', u'\\', u'a'};
    EXPECT_TRUE(SelectedFiles(unended, 4).empty());
}

}  // namespace
}  // namespace pathbook
