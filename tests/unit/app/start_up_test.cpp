#include "app/start_up.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace pathbook {
namespace {

constexpr std::uint32_t kFile = 0x80;
constexpr std::uint32_t kFolder = 0x10;

// A system with a few files, optionally other running instances, and a record
// of what start-up asked of it.
class FakeHost : public StartupHost {
public:
    std::map<std::u16string, std::uint32_t> files;
    bool otherInstances = false;
    StartDocument history;
    StartDocument home;
    std::u16string programPath = u"C:\\Tools\\Pathbook.exe";

    int raised = 0;
    std::vector<std::u16string> launched;

    std::uint32_t FileAttributes(const char16_t* path) override {
        auto found = files.find(path);
        return found == files.end() ? 0xFFFFFFFF : found->second;
    }
    bool RaiseRunningInstances() override {
        if (otherInstances) ++raised;
        return otherInstances;
    }
    void LaunchInstance(const String& arguments) override { launched.emplace_back(arguments.View()); }
    StartDocument MostRecentHistoryEntry() override { return history; }
    StartDocument HomePage() override { return home; }
    String ProgramPath() override { return String(programPath); }
};

StartPlan Plan(FakeHost& host, const char16_t* commandLine) {
    StartPlan plan = PlanStart(SplitCommandLine(commandLine), host);
    if (plan.chooseDocument) plan.document = ChooseStartDocument(host);
    return plan;
}

TEST(StartUpTest, OptionsBeforeTheFile) {
    FakeHost host;
    host.files[u"notes.txt"] = kFile;
    StartPlan plan = Plan(host, u"pb -c65001 -l120 notes.txt");
    ASSERT_TRUE(plan.openWindow);
    EXPECT_EQ(plan.document.path.View(), u"notes.txt");
    EXPECT_EQ(plan.document.charset, 65001);
    EXPECT_EQ(plan.line, 120);
    EXPECT_TRUE(host.launched.empty());
}

TEST(StartUpTest, MalformedNumbersAndUnknownOptions) {
    FakeHost host;
    host.files[u"a.txt"] = kFile;
    StartPlan plan = Plan(host, u"pb -x -cabc -l1x a.txt");
    EXPECT_EQ(plan.document.path.View(), u"a.txt");
    EXPECT_EQ(plan.document.charset, 0);
    EXPECT_EQ(plan.line, 0);
}

// Only encodings of the table: any other number detects.
TEST(StartUpTest, TheEncodingOptionTakesOnlyEncodingsOfTheTable) {
    FakeHost host;
    host.files[u"a.txt"] = kFile;
    const std::pair<const char16_t*, CharsetId> cases[] = {
        {u"pb -c932 a.txt", 932},   {u"pb -c-933 a.txt", -933}, {u"pb -c1255 a.txt", 0},
        {u"pb -c12345 a.txt", 0},   {u"pb -c-1 a.txt", 0},      {u"pb -c28591 a.txt", 0},
    };
    for (const auto& [commandLine, charset] : cases) {
        EXPECT_EQ(Plan(host, commandLine).document.charset, charset) << commandLine;
    }
}

TEST(StartUpTest, OptionsAfterTheFileGoToANewProcess) {
    FakeHost host;
    host.files[u"a.txt"] = kFile;
    StartPlan plan = Plan(host, u"pb a.txt -c932 b.txt");
    EXPECT_EQ(plan.document.path.View(), u"a.txt");
    EXPECT_EQ(plan.document.charset, 0);
    ASSERT_EQ(host.launched.size(), 1u);
    EXPECT_EQ(host.launched[0], u"\"-c932\" \"b.txt\" ");
}

TEST(StartUpTest, SurplusFilesChainThroughNewProcesses) {
    FakeHost host;
    for (auto name : {u"a.txt", u"b.txt", u"c.txt"}) host.files[name] = kFile;
    Plan(host, u"pb a.txt b.txt c.txt");
    ASSERT_EQ(host.launched.size(), 1u);
    EXPECT_EQ(host.launched[0], u"\"b.txt\" \"c.txt\" ");
    // The new process repeats the routine with what it was given.
    FakeHost next = host;
    next.launched.clear();
    StartPlan plan = Plan(next, (u"C:\\PB~1.EXE " + host.launched[0]).c_str());
    EXPECT_EQ(plan.document.path.View(), u"b.txt");
    ASSERT_EQ(next.launched.size(), 1u);
    EXPECT_EQ(next.launched[0], u"\"c.txt\" ");
}

TEST(StartUpTest, RejoinsAPathSplitAtSpaces) {
    FakeHost host;
    host.files[u"C:\\My Files\\a b.txt"] = kFile;
    StartPlan plan = Plan(host, u"pb C:\\My Files\\a b.txt");
    EXPECT_EQ(plan.document.path.View(), u"C:\\My Files\\a b.txt");
    EXPECT_TRUE(host.launched.empty());
}

TEST(StartUpTest, UnjoinablePiecesStaySeparate) {
    FakeHost host;
    StartPlan plan = Plan(host, u"pb missing.txt other.txt");
    EXPECT_EQ(plan.document.path.View(), u"missing.txt");
    ASSERT_EQ(host.launched.size(), 1u);
    EXPECT_EQ(host.launched[0], u"\"other.txt\" ");
}

TEST(StartUpTest, NoFileWhileOthersRunHandsOff) {
    FakeHost host;
    host.otherInstances = true;
    host.files[u"C:\\notes"] = kFolder;
    EXPECT_FALSE(Plan(host, u"pb").openWindow);
    EXPECT_FALSE(Plan(host, u"pb C:\\notes").openWindow);
    EXPECT_EQ(host.raised, 2);
}

TEST(StartUpTest, NewInstanceOptionOpensAnUntitledWindow) {
    FakeHost host;
    host.otherInstances = true;
    host.history = {String(u"C:\\recent.txt"), 65001};
    host.files[u"C:\\recent.txt"] = kFile;
    StartPlan plan = Plan(host, u"pb -n");
    EXPECT_TRUE(plan.openWindow);
    EXPECT_FALSE(plan.chooseDocument);
    EXPECT_TRUE(plan.document.path.Empty());
    EXPECT_EQ(host.raised, 0);
}

TEST(StartUpTest, RecoverOptionOpensTheHandedJournalEvenWhileOthersRun) {
    FakeHost host;
    host.otherInstances = true;
    host.files[u"C:\\Recovery\\a-1.journal"] = kFile;
    StartPlan plan = Plan(host, u"pb -r \"C:\\Recovery\\a-1.journal\"");
    EXPECT_TRUE(plan.openWindow);
    EXPECT_TRUE(plan.recover);
    EXPECT_EQ(plan.document.path.View(), u"C:\\Recovery\\a-1.journal");
    EXPECT_EQ(host.raised, 0);
    EXPECT_FALSE(Plan(host, u"pb notes.txt").recover);
}

TEST(StartUpTest, StartDocumentComesFromHistoryThenHomeThenReadme) {
    FakeHost host;
    host.history = {String(u"C:\\recent.txt"), 65001};
    host.home = {String(u"C:\\home.txt"), -5};
    host.files[u"C:\\Tools\\README.txt"] = kFile;

    StartPlan plan = Plan(host, u"pb");
    EXPECT_TRUE(plan.chooseDocument);
    EXPECT_EQ(plan.document.path.View(), u"C:\\Tools\\README.txt");
    EXPECT_EQ(plan.document.charset, 932);
    EXPECT_EQ(plan.line, -1);

    host.files[u"C:\\home.txt"] = kFile;
    plan = Plan(host, u"pb");
    EXPECT_EQ(plan.document.path.View(), u"C:\\home.txt");
    EXPECT_EQ(plan.document.charset, -5);

    host.files[u"C:\\recent.txt"] = kFile;
    plan = Plan(host, u"pb");
    EXPECT_EQ(plan.document.path.View(), u"C:\\recent.txt");
    EXPECT_EQ(plan.document.charset, 65001);
}

TEST(StartUpTest, NothingToShowGivesAnUntitledDocument) {
    FakeHost host;
    StartPlan plan = Plan(host, u"pb");
    EXPECT_TRUE(plan.openWindow);
    EXPECT_TRUE(plan.document.path.Empty());
}

}  // namespace
}  // namespace pathbook
