#include "links/known_folders.h"

#include <gtest/gtest.h>

#include <string>

#include "link_test_support.h"
#include "links/path_text.h"

namespace pathbook {
namespace {

using test::U;
using test::Utf8;

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

TEST(KnownFoldersTest, OneDriveIsInTheProfile) {
    String oneDrive = FolderPath(kFolderOneDrive, false);
    if (oneDrive.Empty()) GTEST_SKIP() << "no profile folder here";
    EXPECT_EQ(Utf8(FolderName(kFolderOneDrive)), "OneDrive");
}

TEST(KnownFoldersTest, UnknownIdsGiveEmptyPaths) {
    for (FolderId id : {-1, 62, 6000, 6022, 6029}) {
        EXPECT_TRUE(FolderPath(id, true).Empty()) << id;
        EXPECT_TRUE(FolderName(id).Empty()) << id;
    }
}

TEST(KnownFoldersTest, FindKnownFolderIgnoresCaseAndSlashes) {
    String documents = FolderPath(kFolderDocuments, true);
    if (documents.Empty()) GTEST_SKIP() << "no documents folder here";
    EXPECT_EQ(FindKnownFolder(Lowered(documents) + u"x.txt"), kFolderDocuments);
    EXPECT_EQ(FindKnownFolder(documents), kFolderDocuments);
    // The folder itself without its separator is not inside it.
    EXPECT_NE(FindKnownFolder(FolderPath(kFolderDocuments, false)), kFolderDocuments);
}

TEST(KnownFoldersTest, FindKnownFolderFindsTheTemporaryFolder) {
    String temporary = FolderPath(kFolderTemporary, true);
    ASSERT_FALSE(temporary.Empty());
    EXPECT_EQ(FindKnownFolder(temporary + u"pathbook\\x.txt"), kFolderTemporary);
    EXPECT_EQ(FindKnownFolder(U("Q:\\pathbook\\nowhere.txt")), 0);
    EXPECT_EQ(FindKnownFolder(U("")), 0);
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
