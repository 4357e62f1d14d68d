// What an activated link does with its target: notes open in the editor, web
// addresses, folders and documents go to the shell, programs only after the
// user said so, and the rest not at all.
#include "app/link_opening.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "links/link_test_support.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::U;
using test::Utf8;

struct FakePorts : LinkOpenPorts {
    void OpenNote(const String& path) override { done.push_back("note " + Utf8(path)); }
    void HandToShell(const String& target, const String& folder) override {
        done.push_back("shell " + Utf8(target) + " in " + Utf8(folder));
    }
    RunAnswer AskBeforeRunning(const String& path, bool share) override {
        done.push_back(std::string(share ? "ask share " : "ask ") + Utf8(path));
        if (opener != nullptr) opener->Open(String(), path);  // a second activation meanwhile
        return answer;
    }
    void ReportNotOpened(const String& target) override { done.push_back("refused " + Utf8(target)); }

    RunAnswer answer = RunAnswer::kCancel;
    LinkOpener* opener = nullptr;
    std::vector<std::string> done;
};

class LinkOpeningTest : public ::testing::Test {
protected:
    LinkOpeningTest() {
        std::filesystem::create_directories(folder_.Path() / "sub");
        for (const char* name : {"run.bat", "page.html", "note.TXT"}) folder_.Write(name, "x");
        root_ = Utf8(test::WindowsForm(folder_.Path()));
    }
    // A link as the view hands it over: relative ones with the note's folder
    // as their base, web addresses with none.
    std::vector<std::string> Open(const std::string& link, RunAnswer answer = RunAnswer::kCancel) {
        FakePorts ports;
        ports.answer = answer;
        LinkOpener opener(ports);
        const bool web = link.find("://") != std::string::npos;
        opener.Open(web ? String() : U(root_.c_str()), U(link.c_str()));
        return ports.done;
    }

    test::TempFolder folder_;
    std::string root_;
};

TEST_F(LinkOpeningTest, EachKindOfTargetGoesItsWay) {
    const std::string in = root_ + "\\";
    struct Case {
        std::string link;
        std::vector<std::string> done;
    } cases[] = {
        {"note.TXT", {"note " + in + "note.TXT"}},
        {"page.html", {"shell " + in + "page.html in " + in}},
        {"sub", {"shell " + in + "sub in " + in + "sub"}},
        {"http://example.org/", {"shell http://example.org/ in "}},
        {"missing.html", {"refused " + in + "missing.html"}},
        {"run.bat", {"ask " + in + "run.bat"}},  // the default answer runs nothing
    };
    for (const Case& c : cases) EXPECT_EQ(Open(c.link), c.done) << c.link;
}

TEST_F(LinkOpeningTest, AProgramRunsOnlyWhenTheUserSaysSo) {
    const std::string bat = root_ + "\\run.bat";
    EXPECT_EQ(Open("run.bat", RunAnswer::kRun),
              (std::vector<std::string>{"ask " + bat, "shell " + bat + " in " + root_ + "\\"}));
    EXPECT_EQ(Open("run.bat", RunAnswer::kOpenFolder),
              (std::vector<std::string>{"ask " + bat, "shell " + root_ + "\\ in " + root_ + "\\"}));
}

TEST_F(LinkOpeningTest, NothingElseOpensWhileTheQuestionIsOpen) {
    FakePorts ports;
    LinkOpener opener(ports);
    ports.opener = &opener;
    opener.Open(U(root_.c_str()), U("run.bat"));
    EXPECT_EQ(ports.done, std::vector<std::string>{"ask " + root_ + "\\run.bat"});
    ports.opener = nullptr;
    opener.Open(U(root_.c_str()), U("page.html"));
    EXPECT_EQ(ports.done.size(), 2u) << "the question is over: links open again";
}

}  // namespace
}  // namespace pathbook
