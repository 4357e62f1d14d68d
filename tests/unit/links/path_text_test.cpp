#include "links/known_folders.h"
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


TEST(PathTextTest, RemoveLastComponentKeepsFirstSeparatorOfLastRun) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\a\\b", "C:\\a\\"}, {"C:\\a\\\\b", "C:\\a\\"}, {"C:\\a\\", "C:\\a\\"}, {"C:\\", "C:\\"},
        {"a", ""},               {"", ""},                  {"C:/a/b", "C:/a/"},    {"C:\\a//\\b", "C:\\a/"},
        {"\\\\server", "\\"},
    };
    for (const auto& c : cases) {
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

bool EndsWithSeparator(const String& path) { return !path.Empty() && IsPathSeparator(path[path.Length() - 1]); }

String Lowered(const String& path) {
    std::u16string text(path.View());
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c == u'\\') c = u'/';
    }
    return String(text);
}

TEST(KnownFoldersTest, ProgramFolderAndProgramFile) {
    String file = FolderPath(kFolderProgramFile, true);
    String folder = FolderPath(kFolderProgram, true);
    ASSERT_FALSE(file.Empty());
    EXPECT_FALSE(EndsWithSeparator(file));
    EXPECT_EQ(FolderPath(kFolderProgramFile, false), file);
    EXPECT_TRUE(EndsWithSeparator(folder));
    EXPECT_EQ(folder + FileNamePart(file), file);
    EXPECT_FALSE(EndsWithSeparator(FolderPath(kFolderProgram, false)));
}

TEST(KnownFoldersTest, TrailingSeparatorFollowsTheRequest) {
    for (FolderId id : {kFolderTemporary, kFolderCurrent, kFolderDocuments}) {
        String with = FolderPath(id, true);
        String without = FolderPath(id, false);
        if (with.Empty()) continue;
        EXPECT_TRUE(EndsWithSeparator(with)) << id;
        EXPECT_EQ(without + u"\\", with) << id;
        EXPECT_EQ(FolderName(id), FileNamePart(without)) << id;
    }
}

TEST(KnownFoldersTest, UnknownIdsGiveEmptyPaths) {
    for (FolderId id : {-1, 62, 6000, 6022, 6029}) {
        EXPECT_TRUE(FolderPath(id, true).Empty()) << id;
        EXPECT_TRUE(FolderName(id).Empty()) << id;
    }
}

TEST(KnownFoldersTest, FindKnownFolderIgnoresCaseAndSlashes) {
    String temporary = FolderPath(kFolderTemporary, true);
    ASSERT_FALSE(temporary.Empty());
    EXPECT_EQ(FindKnownFolder(temporary + u"pathbook\\x.txt"), kFolderTemporary);
    EXPECT_EQ(FindKnownFolder(U("Q:\\pathbook\\nowhere.txt")), 0);
    EXPECT_EQ(FindKnownFolder(U("")), 0);
    String documents = FolderPath(kFolderDocuments, true);
    if (documents.Empty()) GTEST_SKIP() << "no documents folder here";
    EXPECT_EQ(FindKnownFolder(Lowered(documents) + u"x.txt"), kFolderDocuments);
    EXPECT_EQ(FindKnownFolder(documents), kFolderDocuments);
    // The folder itself without its separator is not inside it.
    EXPECT_NE(FindKnownFolder(FolderPath(kFolderDocuments, false)), kFolderDocuments);
}

TEST(KnownFoldersTest, ResolveDotPathClimbsFromTheFolder) {
    String base = FolderPath(kFolderProgram, true);
    String parent = FolderPath(kFolderProgram, false);
    RemoveLastComponent(parent);
    EXPECT_EQ(ResolveDotPath(U("./notes.txt"), kFolderProgram), base + u"notes.txt");
    EXPECT_EQ(ResolveDotPath(U(".\\.\\notes.txt"), kFolderProgram), base + u"notes.txt");
    EXPECT_EQ(ResolveDotPath(U("..\\notes.txt"), kFolderProgram), parent + u"notes.txt");
    EXPECT_EQ(ResolveDotPath(U(".."), kFolderProgram), parent);
    EXPECT_EQ(ResolveDotPath(U("."), kFolderProgram), base);
    EXPECT_EQ(ResolveDotPath(U("notes.txt"), kFolderProgram), base + u"notes.txt");
    // Not a dot step: kept as a name.
    EXPECT_EQ(ResolveDotPath(U(".profile"), kFolderProgram), base + u".profile");
    EXPECT_EQ(ResolveDotPath(U("...\\x"), kFolderProgram), base + u"...\\x");
}

TEST(KnownFoldersTest, ResolveDotPathStopsAtTheRoot) {
    std::string climb;
    for (int i = 0; i < 40; ++i) climb += "../";
    String resolved = ResolveDotPath(U((climb + "x.txt").c_str()), kFolderProgram);
    String base = FolderPath(kFolderProgram, true);
    ASSERT_GE(base.Length(), 3);
    EXPECT_EQ(Utf8(resolved), Utf8(base).substr(0, 3) + "x.txt");
}

}  // namespace
}  // namespace pathbook
