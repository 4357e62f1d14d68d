#include "app/start_up.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/utf8.h"

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

// What a command line with a file opens, and what it hands to a new process.
TEST(StartUpTest, TheFileItsOptionsAndTheSurplusArguments) {
    struct Case {
        const char16_t* commandLine;
        std::vector<const char16_t*> files;  // the files that exist
        const char16_t* path;
        CharsetId charset;
        std::int32_t line;
        std::vector<std::u16string> launched;
    };
    const std::vector<const char16_t*> a = {u"a.txt"};
    const std::vector<const char16_t*> abc = {u"a.txt", u"b.txt", u"c.txt"};
    const Case cases[] = {
        {u"pb -c65001 -l120 notes.txt", {u"notes.txt"}, u"notes.txt", 65001, 120, {}},
        {u"pb -x -cabc -l1x a.txt", a, u"a.txt", 0, 0, {}},  // malformed numbers, an unknown option
        // Only encodings of the table: any other number detects.
        {u"pb -c932 a.txt", a, u"a.txt", 932, -1, {}},
        {u"pb -c-933 a.txt", a, u"a.txt", -933, -1, {}},
        {u"pb -c1255 a.txt", a, u"a.txt", 0, -1, {}},
        {u"pb -c12345 a.txt", a, u"a.txt", 0, -1, {}},
        {u"pb -c-1 a.txt", a, u"a.txt", 0, -1, {}},
        {u"pb -c28591 a.txt", a, u"a.txt", 0, -1, {}},
        // Options after the file go to a new process with the rest.
        {u"pb a.txt -c932 b.txt", a, u"a.txt", 0, -1, {u"\"-c932\" \"b.txt\" "}},
        // Surplus files chain through new processes, each repeating the routine.
        {u"pb a.txt b.txt c.txt", abc, u"a.txt", 0, -1, {u"\"b.txt\" \"c.txt\" "}},
        {u"C:\\PB~1.EXE \"b.txt\" \"c.txt\" ", abc, u"b.txt", 0, -1, {u"\"c.txt\" "}},
        // A path split at its spaces is joined again; pieces that join to nothing stay apart.
        {u"pb C:\\My Files\\a b.txt", {u"C:\\My Files\\a b.txt"}, u"C:\\My Files\\a b.txt", 0, -1, {}},
        {u"pb missing.txt other.txt", {}, u"missing.txt", 0, -1, {u"\"other.txt\" "}},
    };
    for (const Case& c : cases) {
        FakeHost host;
        for (const char16_t* file : c.files) host.files[file] = kFile;
        StartPlan plan = Plan(host, c.commandLine);
        const std::string what = Utf16ToUtf8(c.commandLine);
        EXPECT_TRUE(plan.openWindow) << what;
        EXPECT_EQ(plan.document.path.View(), c.path) << what;
        EXPECT_EQ(plan.document.charset, c.charset) << what;
        EXPECT_EQ(plan.line, c.line) << what;
        EXPECT_EQ(host.launched, c.launched) << what;
    }
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

// Each document appears in turn: the first that exists of the history's, the
// home page, README.txt; while none exists, an untitled document.
TEST(StartUpTest, StartDocumentComesFromHistoryThenHomeThenReadme) {
    FakeHost host;
    host.history = {String(u"C:\\recent.txt"), 65001};
    host.home = {String(u"C:\\home.txt"), -5};
    StartPlan untitled = Plan(host, u"pb");
    EXPECT_TRUE(untitled.openWindow);
    EXPECT_TRUE(untitled.document.path.Empty());
    const struct {
        const char16_t* appears;
        CharsetId charset;
    } cases[] = {{u"C:\\Tools\\README.txt", 932}, {u"C:\\home.txt", -5}, {u"C:\\recent.txt", 65001}};
    for (const auto& c : cases) {
        host.files[c.appears] = kFile;
        StartPlan plan = Plan(host, u"pb");
        EXPECT_TRUE(plan.chooseDocument) << Utf16ToUtf8(c.appears);
        EXPECT_EQ(plan.document.path.View(), c.appears);
        EXPECT_EQ(plan.document.charset, c.charset) << Utf16ToUtf8(c.appears);
        EXPECT_EQ(plan.line, -1) << Utf16ToUtf8(c.appears);
    }
}

}  // namespace
}  // namespace pathbook
