#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "navigation/browsing.h"
#include "navigation/menu_items.h"
#include "support/private_config.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

using test::NameCleanup;
using test::UniqueName;

struct WayCase {
    OpenWay way;
    OpenKind kind;
};

TEST(OpenKindTest, WhichWaysJump) {
    const WayCase cases[] = {
        {OpenWay::kHistoryEntry, OpenKind::kJump}, {OpenWay::kOpenDialog, OpenKind::kJump},
        {OpenWay::kFavorite, OpenKind::kJump},     {OpenWay::kLink, OpenKind::kFollow},
        {OpenWay::kBackForward, OpenKind::kFollow}, {OpenWay::kHomeButton, OpenKind::kFollow},
        {OpenWay::kDroppedFile, OpenKind::kFollow}, {OpenWay::kCommandLine, OpenKind::kFollow},
    };
    for (const WayCase& c : cases) EXPECT_EQ(KindOf(c.way), c.kind) << static_cast<int>(c.way);
}

// One window: every document it is asked to open is loaded here and recorded.
class Window : public BrowsingHost {
public:
    Window(ConfigStore& config, FavoriteList& favorites, NavChain& chain)
        : browser(config, favorites, chain, *this) {}
    bool OpenDocument(const String& path, CharsetId code) override {
        if (path == unreadable) return false;
        current = path;
        browser.RecordLoad(path, code);
        return true;
    }
    void ShowHomeMenu() override { ++homeMenus; }
    void BroadcastHistoryChanged() override { ++historyBroadcasts; }
    void BroadcastFavoritesChanged() override { ++favoriteBroadcasts; }

    Browser browser;
    String current;
    String unreadable;  // a path whose open fails
    int homeMenus = 0;
    int historyBroadcasts = 0;
    int favoriteBroadcasts = 0;
};

class BrowsingTest : public ::testing::Test {
protected:
    void SetUp() override {
        config_ = std::make_unique<ConfigStore>(private_.Places(), u"(default)");
        favorites_ = std::make_unique<FavoriteList>(String(private_.File("DocList.txt")),
                                                    String(private_.HistoryMutexName()));
        ASSERT_TRUE(chain_.Attach(Names()));
        window_ = std::make_unique<Window>(*config_, *favorites_, chain_);
    }
    NavChainNames Names() const { return NavChainNames{String(chainBlock_.Name()), String(chainMutex_.Name())}; }
    std::vector<std::u16string> Chain() {
        std::vector<std::u16string> paths;
        for (const NavEntry& entry : chain_.Entries()) paths.push_back(entry.path);
        return paths;
    }
    // Opens A from the command line, then follows links to B and C.
    void VisitABC() {
        window_->browser.Open(OpenWay::kCommandLine, kA, 0);
        window_->browser.Open(OpenWay::kLink, kB, 932);
        window_->browser.Open(OpenWay::kLink, kC, 0);
    }

    const String kA = u"C:\\notes\\A.txt";
    const String kB = u"C:\\notes\\B.txt";
    const String kC = u"C:\\notes\\C.txt";
    test::PrivateConfig private_;
    NameCleanup chainBlock_{UniqueName("Chain")}, chainMutex_{UniqueName("ChainSem")};
    std::unique_ptr<ConfigStore> config_;
    std::unique_ptr<FavoriteList> favorites_;
    NavChain chain_;
    std::unique_ptr<Window> window_;
};

TEST_F(BrowsingTest, BackAndForwardWalkTheVisits) {
    VisitABC();
    EXPECT_EQ(window_->historyBroadcasts, 3);
    window_->browser.GoBack(window_->current);
    EXPECT_EQ(window_->current, kB);
    window_->browser.GoBack(window_->current);
    EXPECT_EQ(window_->current, kA);
    NavButtonStates states = window_->browser.NavButtons(window_->current);
    EXPECT_FALSE(states.back);
    EXPECT_TRUE(states.forward);
    window_->browser.GoBack(window_->current);
    EXPECT_EQ(window_->current, kA);
    window_->browser.GoForward(window_->current);
    EXPECT_EQ(window_->current, kB);
    EXPECT_EQ(config_->GetHistory(0).path, kB);
    EXPECT_EQ(config_->GetHistory(0).code, 932);
}

TEST_F(BrowsingTest, AHistoryJumpMovesTheVisitToTheEnd) {
    VisitABC();
    ASSERT_EQ(config_->GetHistory(2).path, kA);
    window_->browser.OpenHistory(2);
    EXPECT_EQ(Chain(), (std::vector<std::u16string>{u"C:\\notes\\B.txt", u"C:\\notes\\C.txt", u"C:\\notes\\A.txt"}));
    window_->browser.GoBack(window_->current);
    EXPECT_EQ(window_->current, kC);
}

TEST_F(BrowsingTest, AJumpThatOpensNothingLeavesTheChainAsItWas) {
    VisitABC();
    const std::vector<std::u16string> visited{u"C:\\notes\\A.txt", u"C:\\notes\\B.txt", u"C:\\notes\\C.txt"};
    window_->browser.AddToFavorites(kB, 932);
    window_->unreadable = kB;
    int broadcasts = window_->historyBroadcasts;
    EXPECT_FALSE(window_->browser.OpenFavorite(0));
    EXPECT_EQ(Chain(), visited);
    EXPECT_EQ(window_->historyBroadcasts, broadcasts + 1);  // the buttons look at the chain again
    EXPECT_EQ(chain_.Entries()[1].code, 932);
    window_->unreadable = kA;
    EXPECT_FALSE(window_->browser.OpenHistory(2));
    EXPECT_EQ(Chain(), visited);
    EXPECT_EQ(config_->GetHistory(2).path, kA);  // the entry stays in the history as well
    window_->browser.GoBack(window_->current);
    window_->browser.GoBack(window_->current);
    EXPECT_EQ(window_->current, kB);
    window_->unreadable = u"C:\\notes\\D.txt";
    broadcasts = window_->historyBroadcasts;
    EXPECT_FALSE(window_->browser.Open(OpenWay::kFavorite, window_->unreadable, 0));
    EXPECT_EQ(window_->historyBroadcasts, broadcasts);  // not in the chain: nothing to put back
    EXPECT_EQ(Chain(), visited);
    window_->unreadable = String();
    EXPECT_TRUE(window_->browser.OpenHistory(2));
    EXPECT_EQ(Chain().back(), u"C:\\notes\\A.txt");
}

// An untitled window has no back or forward; following a link back to A leaves the chain.
TEST_F(BrowsingTest, FollowingALinkBackLeavesTheChain) {
    VisitABC();
    NavButtonStates untitled = window_->browser.NavButtons(String());
    EXPECT_FALSE(untitled.back || untitled.forward);
    window_->browser.GoBack(String());
    EXPECT_EQ(window_->current, kC);
    window_->browser.Open(OpenWay::kLink, kA, 0);
    EXPECT_EQ(Chain(), (std::vector<std::u16string>{u"C:\\notes\\A.txt", u"C:\\notes\\B.txt", u"C:\\notes\\C.txt"}));
    NavButtonStates states = window_->browser.NavButtons(window_->current);
    EXPECT_FALSE(states.back);
    EXPECT_TRUE(states.forward);
}

TEST_F(BrowsingTest, BackAndForwardAreSharedBetweenInstances) {
    VisitABC();
    NavChain otherChain;
    ASSERT_TRUE(otherChain.Attach(Names()));
    Window other(*config_, *favorites_, otherChain);
    other.current = kB;
    EXPECT_TRUE(other.browser.NavButtons(other.current).back);
    other.browser.GoBack(other.current);
    EXPECT_EQ(other.current, kA);
}

TEST_F(BrowsingTest, HomeOpensFavoriteZeroOrDropsTheMenuDown) {
    window_->browser.GoHome(window_->current);
    EXPECT_EQ(window_->homeMenus, 1);
    EXPECT_EQ(window_->browser.HomeButton(window_->current), HomeButtonState::kIndeterminate);
    VisitABC();
    window_->browser.AddToFavorites(kA, 0);
    EXPECT_EQ(window_->favoriteBroadcasts, 1);
    EXPECT_EQ(window_->browser.HomeButton(window_->current), HomeButtonState::kNormal);
    window_->browser.GoHome(window_->current);
    EXPECT_EQ(window_->current, kA);
    EXPECT_EQ(Chain().size(), 3u);  // home is a follow: nothing removed
    EXPECT_EQ(window_->browser.HomeButton(window_->current), HomeButtonState::kIndeterminate);
    window_->browser.GoHome(window_->current);
    EXPECT_EQ(window_->homeMenus, 2);
}

TEST_F(BrowsingTest, AFavoriteIsAJump) {
    VisitABC();
    window_->browser.AddToFavorites(kC, 0);
    window_->browser.AddToFavorites(kA, 0);
    window_->browser.OpenFavorite(1);
    EXPECT_EQ(Chain().back(), u"C:\\notes\\A.txt");
    window_->browser.OpenFavorite(5);
    EXPECT_EQ(window_->current, kA);
    window_->browser.AddToFavorites(String(), 0);
    EXPECT_EQ(window_->favoriteBroadcasts, 2);
}

TEST_F(BrowsingTest, ClearingTheHistoryLeavesTheChain) {
    VisitABC();
    window_->browser.ClearHistoryCommand();
    EXPECT_TRUE(config_->GetHistory(0).path.Empty());
    config_->LoadHistory();
    EXPECT_TRUE(config_->GetHistory(0).path.Empty());
    EXPECT_EQ(Chain().size(), 3u);
    EXPECT_TRUE(window_->browser.NavButtons(window_->current).back);
    window_->browser.OpenHistory(0);
    EXPECT_EQ(window_->current, kC);
}

TEST_F(BrowsingTest, FoundOpenAndSaveRecordOnlyTheirPart) {
    window_->browser.RecordFoundOpen(kB, 0);
    EXPECT_TRUE(config_->GetHistory(0).path.Empty());
    EXPECT_EQ(Chain().size(), 1u);
    window_->browser.RecordSave(kC, 65001);
    EXPECT_EQ(config_->GetHistory(0).code, 65001);
    EXPECT_EQ(Chain().size(), 1u);
}

// The menus read the same history and favourites as the browser.
using MenuItemsTest = BrowsingTest;

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
    FavoriteList& favorites = *favorites_;
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
