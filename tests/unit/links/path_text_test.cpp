#include "links/path_text.h"

#include <gtest/gtest.h>

#include <string>

#include "link_test_support.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::U;
using test::Utf8;

struct TrailingCase {
    const char* path;
    bool present;
    const char* expected;
};

TEST(PathTextTest, SetTrailingSeparatorAddsOrDropsOne) {
    const TrailingCase cases[] = {
        {"", true, ""},           {"", false, ""},          {"C:\\a", true, "C:\\a\\"},
        {"C:\\a\\", true, "C:\\a\\"}, {"C:\\a/", false, "C:\\a"}, {"C:\\a\\\\", false, "C:\\a\\"},
        {"C:\\a", false, "C:\\a"}, {"C:/a/", true, "C:/a/"},    {"\\", false, ""},
    };
    for (const TrailingCase& c : cases) {
        String path = U(c.path);
        SetTrailingSeparator(path, c.present);
        EXPECT_EQ(Utf8(path), c.expected) << c.path << " " << c.present;
    }
}

struct TextCase {
    const char* path;
    const char* expected;
};

TEST(PathTextTest, RemoveLastComponentKeepsFirstSeparatorOfLastRun) {
    const TextCase cases[] = {
        {"C:\\a\\b", "C:\\a\\"}, {"C:\\a\\\\b", "C:\\a\\"}, {"C:\\a\\", "C:\\a\\"}, {"C:\\", "C:\\"},
        {"a", ""},               {"", ""},                  {"C:/a/b", "C:/a/"},    {"C:\\a//\\b", "C:\\a/"},
        {"\\\\server", "\\"},
    };
    for (const TextCase& c : cases) {
        String path = U(c.path);
        RemoveLastComponent(path);
        EXPECT_EQ(Utf8(path), c.expected) << c.path;
    }
}

struct NameCase {
    const char* path;
    const char* name;
    const char* extension;
    const char* title;
};

TEST(PathTextTest, FileNamePartsSplitAtLastSeparatorAndDot) {
    const NameCase cases[] = {
        {"C:\\a\\b.txt", "b.txt", "txt", "b"},
        {"C:\\a.d\\b", "b", "", "b"},
        {"C:/a/archive.tar.gz", "archive.tar.gz", "gz", "archive.tar"},
        {"name", "name", "", "name"},
        {"C:\\a\\", "", "", ""},
        {"", "", "", ""},
        {"C:\\a\\.profile", ".profile", "profile", ""},
        {"C:\\a\\b.", "b.", "", "b"},
    };
    for (const NameCase& c : cases) {
        String path = U(c.path);
        EXPECT_EQ(Utf8(FileNamePart(path)), c.name) << c.path;
        EXPECT_EQ(Utf8(FileExtension(path)), c.extension) << c.path;
        EXPECT_EQ(Utf8(FileTitle(path)), c.title) << c.path;
    }
}

struct JoinCase {
    const char* base;
    const char* more;
    const char* expected;
};

TEST(PathTextTest, JoinPathFoldsDotStepsAndStaysInsideBase) {
    const JoinCase cases[] = {
        {"C:\\a", "b", "C:\\a\\b"},
        {"C:\\a\\", "b", "C:\\a\\b"},
        {"C:\\a", "\\b", "C:\\a\\b"},
        {"C:\\a\\b", "..\\c", "C:\\a\\c"},
        {"C:\\a", ".\\c", "C:\\a\\c"},
        {"C:\\a", "..\\..\\..\\c", "C:\\c"},
        {"", "C:\\x\\y", "C:\\x\\y"},
        {"C:\\a", "", "C:\\a"},
        {"", "http://host/a?b=1", "http://host/a?b=1"},
    };
    for (const JoinCase& c : cases) {
        String path = U(c.base);
        JoinPath(path, U(c.more));
        EXPECT_EQ(Utf8(path), c.expected) << c.base << " + " << c.more;
    }
}

#ifndef _WIN32
// The shell's own functions fold only "\" steps; the stand-in takes "/" too.
TEST(PathTextTest, JoinPathTakesForwardSlashes) {
    String path = U("Z:/a/b");
    JoinPath(path, U("../c/./d"));
    EXPECT_EQ(Utf8(path), "Z:/a/c/d");
}
#endif

TEST(PathTextTest, JoinPathCutsWhatDoesNotFitAPathBuffer) {
    String path = U("C:\\base");
    std::string longName(400, 'x');
    JoinPath(path, U(longName.c_str()));
    EXPECT_LE(path.Length(), 259);
    EXPECT_EQ(Utf8(path).substr(0, 9), "C:\\base\\x");
}

TEST(PathTextTest, ExpandPathReplacesVariablesAndCanonicalises) {
    test::SetVariable("PATHBOOK_LINK_ROOT", U("C:\\root\\sub"));
    EXPECT_EQ(Utf8(ExpandPath(U("%PATHBOOK_LINK_ROOT%\\..\\x.txt"))), "C:\\root\\x.txt");
    EXPECT_EQ(Utf8(ExpandPath(U("%PATHBOOK_NO_SUCH_VARIABLE%\\x"))), "%PATHBOOK_NO_SUCH_VARIABLE%\\x");
    EXPECT_EQ(Utf8(ExpandPath(U("C:\\100%\\x"))), "C:\\100%\\x");
    EXPECT_EQ(Utf8(ExpandPath(U(""))), "");
}

TEST(PathTextTest, ExpandPathCutsLongExpansions) {
    std::string value(300, 'v');
    test::SetVariable("PATHBOOK_LINK_LONG", U(("C:\\" + value).c_str()));
    String expanded = ExpandPath(U("%PATHBOOK_LINK_LONG%\\%PATHBOOK_LINK_LONG%"));
    EXPECT_LE(expanded.Length(), 259);
    EXPECT_EQ(Utf8(expanded).substr(0, 6), "C:\\vvv");
}

TEST(PathTextTest, CompactPathFitsWithEllipsis) {
    String path = U("C:\\folder one\\folder two\\folder three\\file name.txt");
    EXPECT_EQ(CompactPath(path, 260), path);
    String compact = CompactPath(path, 30);
    EXPECT_LE(compact.Length(), 29);
    EXPECT_NE(Utf8(compact).find("..."), std::string::npos);
}

TEST(PathTextTest, LongAndShortNamesOfAnExistingFile) {
    test::TempFolder folder;
    folder.Write("Report.txt", "x");
    String path = test::WindowsForm(folder.Path() / "Report.txt");
    String asWritten = path;
    UseLongFileName(asWritten);
    EXPECT_EQ(asWritten, path);
    String shortPath = path;
    ToShortPath(shortPath);
    EXPECT_FALSE(shortPath.Empty());
    EXPECT_EQ(Utf8(FileExtension(shortPath)), "txt");

    String wildcard = test::WindowsForm(folder.Path() / "R*.txt");
    String kept = wildcard;
    UseLongFileName(kept);
    EXPECT_EQ(kept, wildcard);

    String missing = test::WindowsForm(folder.Path() / "absent.txt");
    String unchanged = missing;
    UseLongFileName(unchanged);
    ToShortPath(unchanged);
    EXPECT_EQ(unchanged, missing);
}

}  // namespace
}  // namespace pathbook
