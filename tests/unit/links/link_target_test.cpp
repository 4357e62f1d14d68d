// Where an activated link leads: which targets reach the shell as what, which
// are refused, and which file types run code (so that the user is asked).
#include "links/link_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "link_test_support.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::U;
using test::Utf8;

class LinkTargetTest : public ::testing::Test {
protected:
    LinkTargetTest() {
        std::filesystem::create_directories(folder_.Path() / "notes" / "tools.exe");
        for (const char* name : {"notes/run.bat", "notes/page.html", "notes/todo.txt", "notes/link.lnk", "notes/noext"}) {
            folder_.Write(name, "x");
        }
        root_ = Utf8(test::WindowsForm(folder_.Path()));
        test::SetVariable("PATHBOOK_TARGET_ROOT", U(root_.c_str()));
    }
    std::string In(const std::string& rest) const { return root_ + "\\notes\\" + rest; }
    LinkTarget Resolve(const std::string& base, const std::string& link) const {
        return ResolveLinkTarget(U(base.c_str()), U(link.c_str()));
    }

    test::TempFolder folder_;
    std::string root_;
};

TEST_F(LinkTargetTest, EachTargetIsClassifiedBeforeTheShellSeesIt) {
    using T = TargetType;
    const std::string notes = root_ + "\\notes";
    struct Case {
        std::string base;
        std::string link;
        TargetType type;
        std::string path = {};  // empty: the link as written
    } cases[] = {
        {"", In("page.html"), T::kDocument}, {"", In("todo.txt"), T::kDocument}, {"", notes, T::kFolder},
        {"", In("tools.exe"), T::kFolder},  // a folder, whatever its name
        {"", In("run.bat"), T::kProgram}, {"", In("link.lnk"), T::kProgram},
        {notes, "run.bat", T::kProgram, In("run.bat")}, {notes, "..\\notes\\.\\run.bat", T::kProgram, In("run.bat")},
        {"", "%PATHBOOK_TARGET_ROOT%\\notes\\run.bat", T::kProgram, In("run.bat")},
        {"", root_ + "/notes/run.bat", T::kProgram, In("run.bat")}, {"", In("noext"), T::kDocument},
        // Missing: the shell would go looking for a program of that name.
        {"", In("run"), T::kRefused}, {"", In("gone.txt"), T::kRefused},
        // Not a full path, a device, a stream, a wildcard.
        {"", "notes\\run.bat", T::kRefused}, {"", "\\\\.\\C:\\x.bat", T::kRefused},
        {"", "\\\\?\\C:\\x.bat", T::kRefused}, {"", In("todo.txt:run.bat"), T::kRefused},
        {"", In("*.bat"), T::kRefused}, {"", "C:run.bat", T::kRefused},
        // Web addresses as written, of the four schemes only.
        {"", "http://example.org/a", T::kWeb}, {"", "HTTPS://example.org/", T::kWeb},
        {"", "ftp://files.example.org/", T::kWeb}, {"", "mailto://someone@example.org", T::kWeb},
        {"", "http://example.org/%PATHBOOK_TARGET_ROOT%", T::kWeb}, {"", "file://C:/x.bat", T::kRefused},
        {"", "search-ms:query=x", T::kRefused}, {"", "javascript:alert(1)", T::kRefused},
    };
    for (const Case& c : cases) {
        const LinkTarget target = Resolve(c.base, c.link);
        EXPECT_EQ(static_cast<int>(target.type), static_cast<int>(c.type)) << c.link;
        EXPECT_EQ(Utf8(target.path), c.path.empty() ? c.link : c.path) << c.link;
        EXPECT_FALSE(target.share) << c.link;
    }
}

TEST_F(LinkTargetTest, AVariableThatHoldsAnAddressDoesNotMakeAFileLinkAWebLink) {
    test::SetVariable("PATHBOOK_TARGET_URL", U("http://example.org/"));
    EXPECT_EQ(Resolve("", "%PATHBOOK_TARGET_URL%").type, TargetType::kRefused);
}

TEST(LinkTargetShareTest, AShareIsAFullPathOnAnotherMachine) {
    const LinkTarget target = ResolveLinkTarget(String(), U("\\\\nosuchserver.invalid\\share\\run.bat"));
    EXPECT_EQ(Utf8(target.path), "\\\\nosuchserver.invalid\\share\\run.bat");
    EXPECT_TRUE(target.share);
    EXPECT_EQ(target.type, TargetType::kRefused);  // not there to open
    EXPECT_TRUE(RunsWhenOpened(target.path));
}

TEST(RunsWhenOpenedTest, ProgramScriptInstallerAndShortcutTypes) {
    for (const char* name : {"a.exe", "a.com", "a.scr", "a.cpl", "a.msc", "a.pif", "a.bat", "a.cmd", "a.js", "a.jse",
                             "a.vbs", "a.vbe", "a.wsf", "a.wsh", "a.ps1", "a.psm1", "a.hta", "a.msi", "a.msp",
                             "a.reg", "a.jar", "a.lnk", "a.url", "a.appref-ms", "a.settingcontent-ms",
                             "a.library-ms", "a.search-ms", "a.inf", "a.chm", "a.py",
                             // as the file system reads the name: trailing dots and spaces dropped
                             "a.bat.", "a.bat ", "a.BaT", "a.txt.exe", "C:\\x.y\\a.cmd"}) {
        EXPECT_TRUE(RunsWhenOpened(U(name))) << name;
    }
    for (const char* name : {"a.txt", "a.html", "a.pdf", "a.docx", "a", "a.", "C:\\x.exe\\notes", "a.exe.txt"}) {
        EXPECT_FALSE(RunsWhenOpened(U(name))) << name;
    }
}

TEST(RunsWhenOpenedTest, TypesPathExtListsRunToo) {
    test::SetVariable("PATHEXT", U(".COM;.EXE; .PBTEST ;pbother;;"));
    EXPECT_TRUE(RunsWhenOpened(U("C:\\a\\b.pbtest")));
    EXPECT_TRUE(RunsWhenOpened(U("C:\\a\\b.PBOTHER")));
    EXPECT_FALSE(RunsWhenOpened(U("C:\\a\\b.pbnot")));
}

TEST(ResolveLinkTextTest, OnlyFileLinksAreExpanded) {
    test::SetVariable("PATHBOOK_TEXT_VAR", U("C:\\v"));
    EXPECT_EQ(Utf8(ResolveLinkText(String(), U("%PATHBOOK_TEXT_VAR%\\a.txt"))), "C:\\v\\a.txt");
    EXPECT_EQ(Utf8(ResolveLinkText(String(), U("http://h/%PATHBOOK_TEXT_VAR%"))), "http://h/%PATHBOOK_TEXT_VAR%");
    EXPECT_EQ(Utf8(ResolveLinkText(U("C:\\notes"), U("\\top"))), "C:\\notes\\top");
}

}  // namespace
}  // namespace pathbook
