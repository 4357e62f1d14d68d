#include <gtest/gtest.h>

#include <memory>

#include "navigation/menu_items.h"
#include "support/private_config.h"

namespace pathbook {
namespace {


class MenuItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        config_ = std::make_unique<ConfigStore>(private_.Places(), u"(default)");
    }
    test::PrivateConfig private_;
    std::unique_ptr<ConfigStore> config_;
};

TEST_F(MenuItemsTest, AnEmptyHistoryIsOneDisabledItem) {
    std::vector<MenuItem> items = HistoryMenuItems(*config_, kFirstHistoryCommand);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 40200);
    EXPECT_EQ(items[0].text, String(u"(no files)"));
    EXPECT_FALSE(items[0].enabled);
}

TEST_F(MenuItemsTest, HistoryItemsAreNumberedAndNeverMoreThanSixteen) {
    config_->Values().historyCount = 20;
    for (int i = 0; i < 18; ++i) config_->AddHistory(String(u"C:\\dir/n" + std::u16string(1, u'a' + i) + u".txt"), 0);
    std::vector<MenuItem> items = HistoryMenuItems(*config_, kFirstHistoryCommand);
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items[0].text, String(u"&0 nr.txt"));
    EXPECT_EQ(items[15].id, 40215);
    EXPECT_EQ(items[15].text, String(u"&F nc.txt"));
    config_->Values().historyCount = 2;
    EXPECT_EQ(HistoryMenuItems(*config_, kFirstHistoryCommand).size(), 2u);
}

TEST_F(MenuItemsTest, TheHomeDropDownListsFavoritesAfterTheHomePage) {
    FavoriteList favorites(String(private_.File("DocList.txt")), String(private_.HistoryMutexName()));
    favorites.Add(u"C:\\home.txt", 0);
    std::vector<MenuItem> items = FavoritesMenuItems(favorites, kFirstFavoriteCommand);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_FALSE(items[0].enabled);
    EXPECT_EQ(items[0].id, 40400);
    favorites.Add(u"C:\\notes\\one.txt", 0);
    items = FavoritesMenuItems(favorites, kFirstFavoriteCommand);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 40401);
    EXPECT_EQ(items[0].text, String(u"&0 one.txt"));
}

}  // namespace
}  // namespace pathbook
