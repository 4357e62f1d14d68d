#include "links/known_folders.h"
#include "links/path_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>

#include "link_test_support.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::U;
using test::Utf8;

// Each path through `edit`, which changes it in place, against what it becomes.
template <typename Edit>
void ExpectEdits(std::initializer_list<std::pair<const char*, const char*>> cases, Edit edit) {
    for (const auto& [path, expected] : cases) {
        String text = U(path);
        edit(text);
        EXPECT_EQ(Utf8(text), expected) << path;
    }
}

TEST(PathTextTest, SetTrailingSeparatorAddsOrDropsOne) {
    ExpectEdits({{"", ""}, {"C:\\a", "C:\\a\\"}, {"C:\\a\\", "C:\\a\\"}, {"C:/a/", "C:/a/"}},
                [](String& path) { SetTrailingSeparator(path, true); });
    ExpectEdits({{"", ""}, {"C:\\a/", "C:\\a"}, {"C:\\a\\\\", "C:\\a\\"}, {"C:\\a", "C:\\a"}, {"\\", ""}},
                [](String& path) { SetTrailingSeparator(path, false); });
}

TEST(PathTextTest, RemoveLastComponentKeepsFirstSeparatorOfLastRun) {
    ExpectEdits({{"C:\\a\\b", "C:\\a\\"}, {"C:\\a\\\\b", "C:\\a\\"}, {"C:\\a\\", "C:\\a\\"}, {"C:\\", "C:\\"},
                 {"a", ""}, {"", ""}, {"C:/a/b", "C:/a/"}, {"C:\\a//\\b", "C:\\a/"}, {"\\\\server", "\\"}},
                [](String& path) { RemoveLastComponent(path); });
}

TEST(PathTextTest, FileNamePartsSplitAtLastSeparatorAndDot) {
    // The path, its name, extension and title.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"C:\\a\\b.txt", "b.txt", "txt", "b"}, {"C:\\a.d\\b", "b", "", "b"},
        {"C:/a/archive.tar.gz", "archive.tar.gz", "gz", "archive.tar"}, {"name", "name", "", "name"},
        {"C:\\a\\", "", "", ""}, {"", "", "", ""}, {"C:\\a\\.profile", ".profile", "profile", ""},
        {"C:\\a\\b.", "b.", "", "b"},
    };
    for (const auto& [text, name, extension, title] : cases) {
        String path = U(text);
        EXPECT_EQ(Utf8(FileNamePart(path)), name) << text;
        EXPECT_EQ(Utf8(FileExtension(path)), extension) << text;
        EXPECT_EQ(Utf8(FileTitle(path)), title) << text;
    }
}

TEST(PathTextTest, JoinPathFoldsDotStepsAndStaysInsideBase) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\a", "b", "C:\\a\\b"}, {"C:\\a\\", "b", "C:\\a\\b"}, {"C:\\a", "\\b", "C:\\a\\b"},
        {"C:\\a\\b", "..\\c", "C:\\a\\c"}, {"C:\\a", ".\\c", "C:\\a\\c"}, {"C:\\a", "..\\..\\..\\c", "C:\\c"},
        {"", "C:\\x\\y", "C:\\x\\y"}, {"C:\\a", "", "C:\\a"}, {"", "http://host/a?b=1", "http://host/a?b=1"},
    };
    for (const auto& [base, more, expected] : cases) {
        String path = U(base);
        JoinPath(path, U(more));
        EXPECT_EQ(Utf8(path), expected) << base << " + " << more;
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

String LongName(String path) {
    UseLongFileName(path);
    return path;
}
String ShortName(String path) {
    ToShortPath(path);
    return path;
}

// Only an existing file has other names; a wildcard or a missing file keeps its path.
TEST(PathTextTest, LongAndShortNamesOfAnExistingFile) {
    test::TempFolder folder;
    folder.Write("Report.txt", "x");
    const String path = test::WindowsForm(folder.Path() / "Report.txt");
    EXPECT_EQ(LongName(path), path);
    EXPECT_FALSE(ShortName(path).Empty());
    EXPECT_EQ(Utf8(FileExtension(ShortName(path))), "txt");
    const String wildcard = test::WindowsForm(folder.Path() / "R*.txt");
    EXPECT_EQ(LongName(wildcard), wildcard);
    const String missing = test::WindowsForm(folder.Path() / "absent.txt");
    EXPECT_EQ(ShortName(LongName(missing)), missing);
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
