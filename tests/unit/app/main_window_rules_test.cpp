// The main window's decisions that need no window: dynamic command ids, the
// grep command line, status-bar parts, menu states, window switching and the
// document offer from other instances.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "app/command_ids.h"
#include "app/copy_data.h"
#include "app/grep_command.h"
#include "app/menu_states.h"
#include "app/resource_ids.h"
#include "app/status_parts.h"
#include "app/window_order.h"
#include "links/link_test_support.h"
#include "runtime/utf8.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

TEST(DynamicCommandTest, FamiliesByHundreds) {
    struct Case {
        std::int32_t id;
        CommandFamily family;
        std::int32_t n;
    } cases[] = {
        {40200, CommandFamily::kHistory, 0},  {40215, CommandFamily::kHistory, 15},
        {40299, CommandFamily::kHistory, 99}, {40300, CommandFamily::kDocType, 0},
        {40307, CommandFamily::kDocType, 7},  {40400, CommandFamily::kFavorite, 0},
        {40408, CommandFamily::kFavorite, 8}, {40199, CommandFamily::kNone, 0},
        {40500, CommandFamily::kNone, 0},     {40046, CommandFamily::kNone, 0},
        {-40200, CommandFamily::kNone, 0},    {0, CommandFamily::kNone, 0},
    };
    for (const Case& c : cases) {
        DynamicCommand decoded = DecodeDynamicCommand(c.id);
        EXPECT_EQ(decoded.family, c.family) << c.id;
        EXPECT_EQ(decoded.n, c.n) << c.id;
    }
}

std::string Grep(const char16_t* pattern, const char16_t* path, const char16_t* current = u"C:\\cur") {
    return Utf16ToUtf8(ExpandGrepCommand(pattern, path, current).View());
}

TEST(GrepCommandTest, ExpandsPlaceholdersLeftToRight) {
    EXPECT_EQ(Grep(u"grep.exe -n %N %D", u"C:\\a\\b.txt"), "grep.exe -n b.txt C:\\a");
    EXPECT_EQ(Grep(u"g %1|%F|%N|%D", u"C:\\a\\b.txt"), "g C:\\a|\"C:\\a\\b.txt\"|b.txt|C:\\a");
    EXPECT_EQ(Grep(u"g \"%D\"", u"C:/x y/z.txt"), "g \"C:/x y\"");
}

TEST(GrepCommandTest, TheFullPathIsOneArgument) {
    EXPECT_EQ(Grep(u"g %F", u"C:\\my notes\\a b.txt"), "g \"C:\\my notes\\a b.txt\"");
    EXPECT_EQ(Grep(u"g \"%F\"", u"C:\\my notes\\a b.txt"), "g \"C:\\my notes\\a b.txt\"");  // quoted already
}

TEST(GrepCommandTest, UntitledUsesTheCurrentDirectoryWithSeparator) {
    EXPECT_EQ(Grep(u"g %D", u""), "g C:\\cur\\");
    EXPECT_EQ(Grep(u"g %D", u"", u"C:\\cur\\"), "g C:\\cur\\");
    EXPECT_EQ(Grep(u"g [%F][%N]", u""), "g [\"\"][]");
}

// A tree with a program folder, a PATH folder and a note's folder with a planted grep.exe.
class GrepProgramTest : public ::testing::Test {
protected:
    GrepProgramTest() {
        for (const char* folder : {"program", "bin", "notes"}) std::filesystem::create_directories(tree_.Path() / folder);
        for (const char* file : {"program/tool.exe", "bin/grep.exe", "bin/other.cmd", "notes/grep.exe", "notes/tool.exe"}) {
            tree_.Write(file, "");
        }
        search_ = {In("program"), In("bin")};
    }
    String In(const char* rest) const {
        std::u16string path(test::WindowsForm(tree_.Path()).View());
        return String(path + u"\\" + Utf8ToUtf16(rest));
    }
    std::string Found(const char* name) const { return Utf16ToUtf8(FindProgram(String(Utf8ToUtf16(name)), search_).View()); }

    test::TempFolder tree_;
    std::vector<String> search_;
};

TEST_F(GrepProgramTest, AProgramIsFoundOnlyWhereTheUserPutIt) {
    EXPECT_EQ(Found("grep"), Utf16ToUtf8(In("bin\\grep.exe").View()));
    EXPECT_EQ(Found("grep.exe"), Utf16ToUtf8(In("bin\\grep.exe").View()));
    EXPECT_EQ(Found("tool"), Utf16ToUtf8(In("program\\tool.exe").View()));  // the program's folder comes first
    EXPECT_EQ(Found("other.cmd"), Utf16ToUtf8(In("bin\\other.cmd").View()));
    EXPECT_EQ(Found("nothere"), "");
    EXPECT_EQ(Found(""), "");
    // A full path stands as written; a folder in the name is the program's folder's.
    const std::string planted = Utf16ToUtf8(In("notes\\grep.exe").View());
    EXPECT_EQ(Found(planted.c_str()), planted);
    EXPECT_EQ(Found("..\\bin\\grep.exe"), Utf16ToUtf8(In("bin\\grep.exe").View()));
    EXPECT_EQ(Found("notes\\grep.exe"), "");
}

TEST_F(GrepProgramTest, TheStartNamesTheProgramItsArgumentsAndTheNotesFolder) {
    ProgramStart start;
    const String note = In("notes\\a b.txt");
    const String folder = In("notes");
    ASSERT_TRUE(PrepareGrep(u"grep -n %F", note, folder, search_, &start));
    EXPECT_EQ(start.program, In("bin\\grep.exe"));
    EXPECT_EQ(start.commandLine, u"\"" + In("bin\\grep.exe") + u"\" -n \"" + note + u"\"");
    EXPECT_EQ(start.folder, folder);
    const String quoted = u"\"" + In("program\\tool.exe") + u"\"  %N";
    ASSERT_TRUE(PrepareGrep(quoted, note, folder, search_, &start));
    EXPECT_EQ(start.commandLine, u"\"" + In("program\\tool.exe") + u"\" a b.txt");
    ASSERT_TRUE(PrepareGrep(u"grep", note, folder, search_, &start));
    EXPECT_EQ(start.commandLine, u"\"" + In("bin\\grep.exe") + u"\"");
    EXPECT_FALSE(PrepareGrep(u"", note, folder, search_, &start));
    EXPECT_FALSE(PrepareGrep(u"nothere %F", note, folder, search_, &start));
}

TEST(GrepCommandTest, OtherPercentSequencesKeepTheCharacter) {
    EXPECT_EQ(Grep(u"100%% %x %d", u"C:\\a\\b.txt"), "100% x d");
    EXPECT_EQ(Grep(u"end %", u"C:\\a\\b.txt"), "end ");
    EXPECT_EQ(Grep(u"%", u"C:\\a\\b.txt"), "");
    EXPECT_EQ(Grep(u"", u"C:\\a\\b.txt"), "");
}

// Edges from the right; the grip and the gap follow the DPI.
TEST(StatusPartsTest, EdgesFromTheRightScaledByTheDpi) {
    auto restored = StatusPartEdges(800, false, 40, 45, 96);
    EXPECT_EQ(restored[2], 800 - 15 - 5);
    EXPECT_EQ(restored[1], 780 - 45);
    EXPECT_EQ(restored[0], 735 - 40);
    auto maximized = StatusPartEdges(800, true, 40, 45, 96);
    EXPECT_EQ(maximized[2], 795);
    EXPECT_EQ(maximized[0], 795 - 45 - 40);
    // The texts' widths come measured in the bar's font, already at its DPI.
    EXPECT_EQ(StatusPartEdges(1200, false, 60, 68, 144)[2], 1200 - 23 - 8);
    EXPECT_EQ(StatusPartEdges(1600, false, 80, 90, 192)[2], 1600 - 30 - 10);
    EXPECT_EQ(StatusPartEdges(1600, true, 80, 90, 192)[0], 1600 - 10 - 90 - 80);
}

TEST(StatusPartsTest, NamesAndCodesOutOfRangeAreEmpty) {
    EXPECT_EQ(LineEndName(0), String(u"CR"));
    EXPECT_EQ(LineEndName(1), String(u"LF"));
    EXPECT_EQ(LineEndName(2), String(u"CRLF"));
    EXPECT_TRUE(LineEndName(3).Empty());
    EXPECT_TRUE(LineEndName(-1).Empty());
    EncodingList encodings;
    BuildEncodingList(encodings);
    ASSERT_GT(encodings.Count(), 2);
    EXPECT_TRUE(EncodingShortCode(encodings, -1).Empty());
    EXPECT_TRUE(EncodingShortCode(encodings, encodings.Count()).Empty());
    EXPECT_EQ(EncodingShortCode(encodings, FindEncoding(encodings, charset::kUtf8)), String(u"UTF8"));
}

bool Enabled(const MenuStates& states, std::int32_t id) {
    bool enabled = false;
    bool found = false;
    for (const ItemState& item : states.items) {
        if (item.id == id) enabled = item.enabled, found = true;  // the last word counts
    }
    EXPECT_TRUE(found) << id;
    return enabled;
}

bool Checked(const MenuStates& states, std::int32_t id) {
    for (const ItemState& item : states.items) {
        if (item.id == id) return item.checked;
    }
    ADD_FAILURE() << id;
    return false;
}

using ItemRule = bool (*)(const MenuStates&, std::int32_t);
using Ids = std::initializer_list<std::int32_t>;

// Each item of `on` passes `rule` (Enabled, Checked), each of `off` fails it.
void ExpectItems(const MenuStates& states, ItemRule rule, Ids on, Ids off, const char* what) {
    for (std::int32_t id : on) EXPECT_TRUE(rule(states, id)) << what << " " << id;
    for (std::int32_t id : off) EXPECT_FALSE(rule(states, id)) << what << " " << id;
}

TEST(MenuStatesTest, EditItemsFollowSelectionAndHistory) {
    MenuInputs in;
    MenuStates none = MenuBarStates(in, false);
    ExpectItems(none, Enabled, {}, {IDM_CUT, IDM_COPY, IDM_DELETE, IDM_UNDO, IDM_REDO}, "none");
    EXPECT_EQ(none.items.size(), 5u);
    in.selectionEmpty = false;
    in.canUndo = true;
    ExpectItems(MenuBarStates(in, true), Enabled, {IDM_CUT, IDM_COPY, IDM_DELETE, IDM_UNDO}, {IDM_REDO}, "some");
}

TEST(MenuStatesTest, FullUpdateCoversFileItemsAndChecks) {
    MenuInputs in;
    in.untitled = true;
    MenuStates untitled = MenuBarStates(in, true);
    ExpectItems(untitled, Enabled, {IDM_SAVE}, {IDM_REOPEN, IDM_ADD_FAVORITE, IDM_GREP}, "untitled");
    ExpectItems(untitled, Checked, {IDM_STATUS_BAR}, {IDM_NO_EDITING}, "untitled");
    in.untitled = false;
    in.grepConfigured = true;
    in.statusBarShown = false;
    in.locked = true;
    MenuStates named = MenuBarStates(in, true);
    ExpectItems(named, Enabled, {IDM_REOPEN, IDM_ADD_FAVORITE, IDM_GREP}, {IDM_SAVE}, "named");
    ExpectItems(named, Checked, {IDM_NO_EDITING}, {IDM_STATUS_BAR}, "named");
    in.modified = true;
    in.pathIsFavorite = true;
    ExpectItems(MenuBarStates(in, true), Enabled, {IDM_SAVE}, {IDM_ADD_FAVORITE}, "modified");
}

TEST(MenuStatesTest, WrapRadioFollowsWrapMode) {
    MenuInputs in;
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {-1, IDM_NO_WRAP}, {0, IDM_WRAP_EDGE}, {80, IDM_WRAP_WIDTH}, {1, IDM_WRAP_WIDTH}};
    for (auto [wrap, item] : cases) {
        in.wrapMode = wrap;
        EXPECT_EQ(MenuBarStates(in, true).radioChecked, item) << wrap;
    }
    EXPECT_EQ(MenuBarStates(in, false).radioChecked, 0);
}

TEST(MenuStatesTest, PopupLinksAndNoEditing) {
    MenuInputs in;
    in.selectionEmpty = false;
    in.canUndo = in.canRedo = true;
    ExpectItems(PopupStates(in), Enabled, {IDM_PASTE}, {IDM_OPEN_LINK, IDM_OPEN_LOCATION}, "plain");
    in.linkAtCaret = LinkKind::kHttp;
    ExpectItems(PopupStates(in), Enabled, {IDM_OPEN_LINK}, {IDM_OPEN_LOCATION}, "web");
    in.linkAtCaret = LinkKind::kFile;
    in.locked = true;
    ExpectItems(PopupStates(in), Enabled, {IDM_OPEN_LOCATION, IDM_COPY},
                {IDM_CUT, IDM_PASTE, IDM_DELETE, IDM_UNDO, IDM_REDO}, "locked");
}

TEST(WindowOrderTest, NextCyclesThroughInstancesAndPreviousWraps) {
    WindowSwitch first = ChooseNextWindow(3, 0);
    EXPECT_FALSE(first.none);
    EXPECT_EQ(first.raise, 1u);
    EXPECT_TRUE(first.sendSelfToBottom);
    WindowSwitch middle = ChooseNextWindow(3, 1);
    EXPECT_EQ(middle.raise, 2u);
    EXPECT_FALSE(middle.sendSelfToBottom);
    EXPECT_TRUE(ChooseNextWindow(3, 2).none);
    EXPECT_TRUE(ChooseNextWindow(1, 0).none);
    EXPECT_TRUE(ChooseNextWindow(3, 7).none);
    // The previous one wraps to the last.
    EXPECT_EQ(ChoosePreviousWindow(3, 0).raise, 2u);
    EXPECT_EQ(ChoosePreviousWindow(3, 2).raise, 1u);
    EXPECT_FALSE(ChoosePreviousWindow(3, 1).sendSelfToBottom);
    EXPECT_TRUE(ChoosePreviousWindow(1, 0).none);
    EXPECT_TRUE(ChoosePreviousWindow(2, 2).none);
}

TEST(CopyDataTest, AcceptsOnlyBoundedTerminatedText) {
    std::u16string_view path;
    const char16_t good[] = u"C:\\a.txt";
    EXPECT_TRUE(ReadOfferedPath(good, sizeof good, &path));
    EXPECT_EQ(path, u"C:\\a.txt");
    EXPECT_FALSE(ReadOfferedPath(good, sizeof good - 1, &path));  // odd size
    EXPECT_FALSE(ReadOfferedPath(good, sizeof good - 2, &path));  // NUL outside the data
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(ReadOfferedPath(nullptr, 0, &path));
    EXPECT_FALSE(ReadOfferedPath(good, 0, &path));
    std::vector<char16_t> longest(260, u'x');
    longest.back() = 0;
    EXPECT_TRUE(ReadOfferedPath(longest.data(), 520, &path));
    EXPECT_EQ(path.size(), 259u);
    std::vector<char16_t> tooLong(32768, 0);
    EXPECT_FALSE(ReadOfferedPath(tooLong.data(), 65536, &path));
    EXPECT_FALSE(ReadOfferedPath(longest.data(), 522, &path));
}

TEST(CopyDataTest, MatchIgnoresCaseAndAcceptsAnyEncodingForZero) {
    String shown(u"C:\\Notes\\a.txt");
    EXPECT_TRUE(OfferMatches(u"c:\\notes\\A.TXT", 0, shown, 932));
    EXPECT_TRUE(OfferMatches(u"C:\\Notes\\a.txt", 932, shown, 932));
    EXPECT_FALSE(OfferMatches(u"C:\\Notes\\a.txt", 65001, shown, 932));
    EXPECT_FALSE(OfferMatches(u"C:\\Notes\\b.txt", 0, shown, 932));
    EXPECT_FALSE(OfferMatches(u"", 0, String(), 932));
    // Greek with tonos, Ukrainian and Vietnamese letters fold too.
    EXPECT_TRUE(OfferMatches(u"C:\\\u03AC\u0490\u1EA1.txt", 0, String(u"C:\\\u0386\u0491\u1EA0.TXT"), 932));
}

}  // namespace
}  // namespace pathbook
