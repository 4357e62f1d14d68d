#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>

#include "config/config_store.h"
#include "platform/code_page.h"
#include "platform/user_name.h"
#include "runtime/decimal.h"
#include "runtime/utf8.h"
#include "support/held_mutex.h"
#include "support/private_config.h"

namespace pathbook {
namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    ConfigPlaces Places() const { return private_.Places(); }
    std::unique_ptr<ConfigStore> Make() const { return std::make_unique<ConfigStore>(Places(), u"(default)"); }
    IniFile Section(const String& name) const {
        IniFile ini;
        ini.Open(String(private_.IniPath()));
        ini.UseSection(name);
        return ini;
    }
    IniFile UserSection() const { return Section(UserSectionName(platform::CurrentUserName())); }
    // Writes numbers (and booleans as 0 and 1) into the user's section.
    void PutUserInts(std::initializer_list<std::pair<const char16_t*, std::int32_t>> values) const {
        for (const auto& [key, value] : values) UserSection().PutInt(key, value);
    }
    // The numbers the user's section holds, -1 for a missing key.
    void ExpectUserInts(std::initializer_list<std::pair<const char16_t*, std::int32_t>> expected) const {
        for (const auto& [key, value] : expected) EXPECT_EQ(UserSection().GetInt(key, -1), value) << Utf16ToUtf8(key);
    }
    // The history's paths from the top, and no entry after them.
    static void ExpectHistory(const ConfigStore& store, std::initializer_list<const char16_t*> paths) {
        std::int32_t i = 0;
        for (const char16_t* path : paths) {
            EXPECT_EQ(Utf16ToUtf8(store.GetHistory(i).path.View()), Utf16ToUtf8(path)) << "entry " << i;
            ++i;
        }
        EXPECT_TRUE(store.GetHistory(i).path.Empty()) << "entry " << i;
    }

    test::PrivateConfig private_;
};

// Every setting, to compare whole sets at once.
auto Tie(const Settings& s) {
    return std::make_tuple(s.undoLimit, s.txtFilter.View(), s.grepExe.View(), s.countUni, s.statusBar, s.openSame,
                           s.singleClick, s.readOnly, s.rememberWindowSize, s.rememberWindowPos, s.windowMaximized,
                           s.wndX, s.wndY, s.wndW, s.wndH, s.historyCount, s.newfileCharset, s.newfileDoctype.View(),
                           static_cast<int>(s.newfileLineBreak));
}

// Load's fallback for every missing key is the setting's initial value.
TEST_F(ConfigStoreTest, MissingKeysLoadAsTheInitialValues) {
    auto store = Make();
    Settings initial;
    initial.newfileCharset = static_cast<CharsetId>(platform::AnsiCodePage());
    EXPECT_EQ(Tie(store->Values()), Tie(initial));
    EXPECT_EQ(store->DialogW(), INT32_MIN);
    EXPECT_EQ(store->DialogH(), INT32_MIN);
    EXPECT_FALSE(store->SharedMode());
    EXPECT_EQ(store->DocTypes().Count(), 1u);
    EXPECT_GT(store->Encodings().Count(), 0);
}

struct ClampCase {
    const char16_t* key;
    std::int32_t stored;
    std::int32_t expected;
};

TEST_F(ConfigStoreTest, ReadValuesAreClamped) {
    const ClampCase cases[] = {
        {u"MRU", 50, 20},
        {u"MRU", -3, 0},
        {u"MRU", 16, 16},
        {u"NewfileCharset", -1, 1252},
        {u"NewfileCharset", 932, 932},
        {u"NewfileCharset", -2, -2},
        // Only encodings of the table offered for saving: anything else is the ANSI code page.
        {u"NewfileCharset", 12345, static_cast<std::int32_t>(platform::AnsiCodePage())},
        {u"NewfileCharset", 0, static_cast<std::int32_t>(platform::AnsiCodePage())},
        {u"NewfileCharset", 28591, static_cast<std::int32_t>(platform::AnsiCodePage())},
    };
    for (const ClampCase& c : cases) {
        UserSection().PutInt(c.key, c.stored);
        auto store = Make();
        std::int32_t value = c.key[0] == u'M' ? store->Values().historyCount : store->Values().newfileCharset;
        EXPECT_EQ(value, c.expected) << Utf16ToUtf8(c.key) << " " << c.stored;
    }
}

TEST_F(ConfigStoreTest, SaveWritesWhatLoadReads) {
    Settings saved;
    {
        auto store = Make();
        Settings& s = store->Values();
        s.undoLimit = 20;
        s.txtFilter = u"*.txt;*.md";
        s.grepExe = u"\"C:\\Tools\\grep.exe\"";
        s.openSame = s.countUni = s.readOnly = true;
        s.statusBar = s.singleClick = s.rememberWindowPos = false;
        s.historyCount = 5;
        s.newfileCharset = 65001;
        s.newfileDoctype = u"Notes";
        s.newfileLineBreak = LineEnd::kLf;
        store->Save();
        saved = s;
    }
    EXPECT_EQ(Tie(Make()->Values()), Tie(saved));
}

TEST_F(ConfigStoreTest, SharedConfigTakesTheSettingsButHistoryStaysWithTheUser) {
    IniFile shared = Section(u"SharedConfig");
    shared.PutInt(u"Enable", 1);
    shared.PutInt(u"UndoLimit", 5);
    PutUserInts({{u"UndoLimit", 7}});
    UserSection().PutString(u"MRU1", u"C:\\mine.txt");
    shared.PutString(u"MRU1", u"C:\\shared.txt");
    auto store = Make();
    EXPECT_TRUE(store->SharedMode());
    EXPECT_EQ(store->Values().undoLimit, 5);
    EXPECT_EQ(store->GetHistory(0).path, String(u"C:\\mine.txt"));
    store->Values().undoLimit = 9;
    store->Save();
    store->AddHistory(u"C:\\new.txt", 932);
    EXPECT_EQ(shared.GetInt(u"UndoLimit", 0), 9);
    ExpectUserInts({{u"UndoLimit", 7}});
    EXPECT_EQ(UserSection().GetString(u"MRU1", u""), String(u"C:\\new.txt"));
    EXPECT_EQ(shared.GetString(u"MRU1", u""), String(u"C:\\shared.txt"));
}

TEST_F(ConfigStoreTest, FindOptionsAndWrapTypeLiveInTheUserSectionInEveryMode) {
    Section(u"SharedConfig").PutInt(u"Enable", 1);
    auto store = Make();
    search::FindOptions options = store->LoadSearchOptions();
    EXPECT_TRUE(options.ignoreCase);
    EXPECT_FALSE(options.regExp);
    store->SaveSearchOptions({false, true});
    store->SaveWrapType(80);
    ExpectUserInts({{u"SearchIgnoreCase", 0}, {u"SearchRegExp", 1}, {u"WrapType", 80}});
    EXPECT_EQ(Section(u"SharedConfig").GetInt(u"WrapType", 0), 0);
    EXPECT_FALSE(store->LoadSearchOptions().ignoreCase);
}

TEST_F(ConfigStoreTest, MaximisingKeepsTheNormalRectangle) {
    auto store = Make();
    store->SaveWindowPlacement({10, 20, 610, 520}, kShowNormal);
    store->SaveWindowPlacement({0, 0, 1280, 1024}, kShowMaximized);
    ExpectUserInts({{u"WndX", 10}, {u"WndY", 20}, {u"WndW", 600}, {u"WndH", 500}, {u"WndM", 1}});
    store->SaveWindowPlacement({-32000, -32000, -31840, -31970}, kShowMinimized);
    ExpectUserInts({{u"WndM", 1}, {u"WndX", 10}});
}

// Each Remember flag governs its own values; geometry is written while
// either is on, and with both off nothing is written or used.
TEST_F(ConfigStoreTest, EachRememberFlagGovernsItsOwnValues) {
    const struct {
        std::int32_t size, pos;
        std::int32_t x, w, dialogW;        // as the store offers them
        std::int32_t storedX, storedDlgW;  // in the file after the saves
    } cases[] = {
        {0, 0, INT32_MIN, INT32_MIN, INT32_MIN, 5, 640},
        {0, 1, 5, INT32_MIN, INT32_MIN, 1, 700},  // the dialog's size goes with the window's
        {1, 0, INT32_MIN, 600, 700, 1, 700},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << ", pos " << c.pos);
        PutUserInts({{u"RememberWindowSize", c.size}, {u"RememberWindowPos", c.pos}, {u"WndX", 5}, {u"WndW", 600},
                     {u"DlgW", 640}});
        auto store = Make();
        EXPECT_EQ(store->WindowX(), c.x);
        EXPECT_EQ(store->WindowW(), c.w);
        store->SaveWindowPlacement({1, 2, 601, 402}, kShowNormal);
        store->SaveDialogSize(700, 400);
        EXPECT_EQ(store->DialogW(), c.dialogW);
        ExpectUserInts({{u"WndX", c.storedX}, {u"DlgW", c.storedDlgW}});
    }
}

TEST_F(ConfigStoreTest, DialogSizeIsSharedBetweenInstances) {
    PutUserInts({{u"DlgW", 640}, {u"DlgH", 320}});
    auto first = Make();
    auto second = Make();
    EXPECT_EQ(first->SharedBlock().AttachCount(), 2);
    EXPECT_EQ(first->DialogW(), 640);
    second->SaveDialogSize(800, 450);
    EXPECT_EQ(first->DialogW(), 800);
    EXPECT_EQ(first->DialogH(), 450);
    ExpectUserInts({{u"DlgW", 800}});
    second.reset();
    EXPECT_EQ(first->SharedBlock().AttachCount(), 1);
}

TEST_F(ConfigStoreTest, HistoryMovesAnEqualPathToTheTop) {
    auto store = Make();
    store->AddHistory(u"C:\\a.txt", 932);
    store->AddHistory(u"C:\\b.txt", 0);
    store->AddHistory(u"C:\\c.txt", 65001);
    store->AddHistory(u"C:\\a.txt", -6);
    store->AddHistory(u"C:\\B.TXT", 1252);  // letter case makes another entry
    ExpectHistory(*store, {u"C:\\B.TXT", u"C:\\a.txt", u"C:\\c.txt", u"C:\\b.txt"});
    EXPECT_EQ(store->GetHistory(1).code, -6);
    EXPECT_EQ(store->GetHistory(-1).path, String(u"C:\\B.TXT"));
    EXPECT_TRUE(store->GetHistory(-2).path.Empty());
}

// A settings file that is there but cannot be read, or a history mutex held
// too long by another instance, refuses an addition: a one-entry history must
// never replace the user's.
TEST_F(ConfigStoreTest, AHistoryThatCouldNotBeReadIsNeverWritten) {
    ConfigPlaces places = Places();
    places.historyLockWait = 50;
    {
        ConfigStore store(places, u"(default)");
        ASSERT_EQ(store.AddHistory(u"C:\\a.txt", 932), ListWrite::kWritten);
        test::HeldMutex other(private_.HistoryMutexName());
        ASSERT_TRUE(other.Holding());
        EXPECT_EQ(store.AddHistory(u"C:\\b.txt", 0), ListWrite::kLocked);
        EXPECT_EQ(store.SaveHistory(), ListWrite::kLocked);
    }
    EXPECT_EQ(UserSection().GetString(u"MRU1", u""), String(u"C:\\a.txt"));
    EXPECT_TRUE(UserSection().GetString(u"MRU2", u"").Empty());

    places.iniPath = String(private_.File("folder.ini"));
    std::filesystem::create_directory(private_.File("folder.ini"));
    ConfigStore unreadable(places, u"(default)");
    EXPECT_EQ(unreadable.AddHistory(u"C:\\c.txt", 0), ListWrite::kUnreadable);
    EXPECT_TRUE(std::filesystem::is_empty(private_.File("folder.ini")));
}

TEST_F(ConfigStoreTest, HistoryKeepsSixteenAndOffersHistoryCount) {
    PutUserInts({{u"MRU", 20}});
    auto store = Make();
    for (int i = 0; i < 20; ++i) {
        store->AddHistory(String(u"C:\\n" + FormatDecimal(i) + u".txt"), i % 2 == 0 ? 932 : -6);
    }
    EXPECT_EQ(store->GetHistory(0).path, String(u"C:\\n19.txt"));
    EXPECT_EQ(store->GetHistory(15).path, String(u"C:\\n4.txt"));
    EXPECT_EQ(store->GetHistory(15).code, 932);
    EXPECT_TRUE(store->GetHistory(16).path.Empty());
    store->Values().historyCount = 3;
    EXPECT_TRUE(store->GetHistory(3).path.Empty());
    EXPECT_EQ(UserSection().GetString(u"MRU16", u""), String(u"C:\\n4.txt"));
}

// Codes that name no encoding of the table read as 0 (detect).
TEST_F(ConfigStoreTest, HistoryLoadStopsAtTheFirstEmptyEntryAndCarriesCode) {
    IniFile user = UserSection();
    user.PutString(u"MRU1", u"C:\\one.txt");
    user.PutString(u"MRU2", u"C:\\two.txt");
    user.PutString(u"MRU3", u"C:\\three.txt");
    user.PutString(u"MRU5", u"C:\\five.txt");
    PutUserInts({{u"CODE1", 932}, {u"CODE2", 12345}, {u"CODE3", -933}, {u"CODE", 77}});
    auto store = Make();
    ExpectHistory(*store, {u"C:\\one.txt", u"C:\\two.txt", u"C:\\three.txt"});
    EXPECT_EQ(store->GetHistory(0).code, 932);
    EXPECT_EQ(store->GetHistory(1).code, 0);
    EXPECT_EQ(store->GetHistory(2).code, -933);
    EXPECT_EQ(store->HistoryDefaultCode(), 77);
    store->ClearHistory();
    store->SaveHistory();
    EXPECT_TRUE(user.GetString(u"MRU1", u"x").Empty());
    EXPECT_EQ(user.GetInt(u"CODE", 0), 77);
}

TEST_F(ConfigStoreTest, AddHistoryRereadsWhatOtherInstancesAdded) {
    auto first = Make();
    auto second = Make();
    first->AddHistory(u"C:\\first.txt", 1);
    second->AddHistory(u"C:\\second.txt", 2);
    first->AddHistory(u"C:\\third.txt", 3);
    first->LoadHistory();
    ExpectHistory(*first, {u"C:\\third.txt", u"C:\\second.txt", u"C:\\first.txt"});
}

TEST_F(ConfigStoreTest, HistoryPathsOutsideTheAnsiCodePageRoundTrip) {
    const String path(u"C:\\\u30E1\u30E2\\\u65E5\u8A18.txt");
    {
        auto store = Make();
        store->AddHistory(path, -65001);
    }
    EXPECT_EQ(UserSection().GetString(u"MRU1", u"").View().substr(0, 5), u"#0043");
    auto store = Make();
    EXPECT_EQ(store->GetHistory(0).path, path);
    EXPECT_EQ(store->GetHistory(0).code, -65001);
}

TEST_F(ConfigStoreTest, WritesThatCannotReachTheFileReportFailure) {
    ConfigPlaces places = Places();
    places.iniPath = String(private_.File("missing-folder") + u"/Pathbook.ini");
    ConfigStore store(places, u"(default)");
    EXPECT_FALSE(store.Save());
    EXPECT_FALSE(store.SaveWindowPlacement(WindowRect{0, 0, 640, 480}, kShowNormal));
    EXPECT_FALSE(store.SaveDialogSize(300, 200));
    EXPECT_EQ(store.AddHistory(u"C:\\a.txt", 0), ListWrite::kWriteFailed);
    EXPECT_EQ(store.SaveHistory(), ListWrite::kWriteFailed);
    EXPECT_FALSE(store.SaveSearchOptions(search::FindOptions()));
    EXPECT_FALSE(store.SaveWrapType(1));
}

}  // namespace
}  // namespace pathbook
