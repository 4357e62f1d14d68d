#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>

#include "navigation/favorite_list.h"
#include "support/held_mutex.h"
#include "support/temp_folder.h"
#include "support/unique_name.h"
#include "support/utf16le_bytes.h"

namespace pathbook {
namespace {

using test::NameCleanup;
using test::TempFolder;
using test::UniqueName;
using test::Utf16Le;

class FavoriteListTest : public ::testing::Test {
protected:
    FavoriteList MakeList() const { return FavoriteList(String(folder_.File("DocList.txt")), String(mutex_.Name())); }
    void WriteList(std::u16string_view text) const { folder_.Write("DocList.txt", Utf16Le(text)); }

    TempFolder folder_;
    NameCleanup mutex_{UniqueName("MRUMutex")};
};

TEST_F(FavoriteListTest, TheSecondLineIsTheHomePage) {
    WriteList(u"\r932,C:\\notes\\home.txt\r");
    FavoriteList list = MakeList();
    list.Load();
    EXPECT_EQ(list.Get(0).path, String(u"C:\\notes\\home.txt"));
    EXPECT_EQ(list.Get(0).code, 932);
    EXPECT_TRUE(list.Get(1).path.Empty());
    EXPECT_TRUE(list.Get(16).path.Empty());
    EXPECT_TRUE(list.Get(-1).path.Empty());
}

TEST_F(FavoriteListTest, StoreWritesTheFileByteForByte) {
    FavoriteList list = MakeList();
    EXPECT_EQ(list.Add(u"C:\\home.txt", 932), AddFavoriteResult::kAdded);
    EXPECT_EQ(list.Add(u"C:\\a,b.txt", -6), AddFavoriteResult::kAdded);
    EXPECT_EQ(folder_.Read("DocList.txt"), Utf16Le(u"\r932,C:\\home.txt\r-6,C:\\a,b.txt\r"));
    FavoriteList other = MakeList();
    other.Load();
    EXPECT_EQ(other.Get(1).path, String(u"C:\\a,b.txt"));
    EXPECT_EQ(other.Get(1).code, -6);
    EXPECT_EQ(other.Find(u"C:\\a,b.txt"), 1);
    EXPECT_EQ(other.Find(u"c:\\A,B.txt"), -1);
}

TEST_F(FavoriteListTest, ShortLinesLeaveTheirSlotEmpty) {
    WriteList(u"header\r\n0,C:\\a.txt\r\n1,x\r\nno comma here\r\n-5,C:\\e.txt\r\n");
    FavoriteList list = MakeList();
    list.Load();
    EXPECT_EQ(list.Get(0).path, String(u"C:\\a.txt"));
    EXPECT_TRUE(list.Get(1).path.Empty());  // "1,x" has only three characters
    EXPECT_TRUE(list.Get(2).path.Empty());
    EXPECT_EQ(list.Get(3).path, String(u"C:\\e.txt"));
    EXPECT_EQ(list.Get(3).code, -5);
}

TEST_F(FavoriteListTest, LongLinesAreCutTo259) {
    std::u16string path = u"C:\\" + std::u16string(400, u'x');
    WriteList(u"\r0," + path + u"\r7,C:\\next.txt\r");
    FavoriteList list = MakeList();
    list.Load();
    EXPECT_EQ(list.Get(0).path.Length(), 259 - 2);
    EXPECT_EQ(list.Get(1).path, String(u"C:\\next.txt"));
}

TEST_F(FavoriteListTest, AddKeepsOneEntryPerExactPathAndStopsWhenFull) {
    FavoriteList list = MakeList();
    EXPECT_EQ(list.Add(u"C:\\a.txt", 0), AddFavoriteResult::kAdded);
    EXPECT_EQ(list.Add(u"C:\\a.txt", 932), AddFavoriteResult::kAlreadyListed);
    EXPECT_EQ(list.Add(u"C:\\A.TXT", 0), AddFavoriteResult::kAdded);
    for (int i = 2; i < 16; ++i) {
        EXPECT_EQ(list.Add(String(u"C:\\" + std::u16string(i, u'n')), -i), AddFavoriteResult::kAdded);
    }
    EXPECT_EQ(list.Add(u"C:\\extra.txt", 0), AddFavoriteResult::kListFull);
    EXPECT_EQ(list.Get(15).path, String(u"C:\\" + std::u16string(15, u'n')));
    EXPECT_EQ(list.Add(u"", 0), AddFavoriteResult::kNotStored);
}

TEST_F(FavoriteListTest, CodesThatNameNoEncodingOfTheTableDetect) {
    WriteList(u"\r12345,C:\\a.txt\r-1,C:\\b.txt\r65001,C:\\c.txt\r");
    FavoriteList list = MakeList();
    list.Load();
    EXPECT_EQ(list.Get(0).code, 0);
    EXPECT_EQ(list.Get(1).code, 0);
    EXPECT_EQ(list.Get(2).code, 65001);
}

// A list file that is there but cannot be read (here a folder in its place),
// or a mutex another instance holds too long, refuses every write: the
// user's favourites are never replaced by a list that was not read.
TEST_F(FavoriteListTest, AListThatCouldNotBeReadIsNeverWritten) {
    WriteList(u"\r932,C:\\home.txt\r-6,C:\\b.txt\r");
    FavoriteList list(String(folder_.File("DocList.txt")), String(mutex_.Name()), nullptr, 50);
    list.Load();
    ASSERT_EQ(list.FileState(), ListRead::kRead);
    Favorite slots[kEditableFavorites];
    slots[0] = Favorite{u"C:\\only.txt", 0};
    {
        test::HeldMutex other(mutex_.Name());
        ASSERT_TRUE(other.Holding());
        EXPECT_EQ(list.Add(u"C:\\new.txt", 0), AddFavoriteResult::kNotStored);
        EXPECT_EQ(list.LastWrite(), ListWrite::kLocked);
        EXPECT_FALSE(list.Replace(slots));
        EXPECT_EQ(list.LastWrite(), ListWrite::kLocked);
        EXPECT_EQ(list.Store(), ListWrite::kLocked);
    }
    EXPECT_EQ(folder_.Read("DocList.txt"), Utf16Le(u"\r932,C:\\home.txt\r-6,C:\\b.txt\r"));

    std::filesystem::remove(folder_.Path() / "DocList.txt");
    std::filesystem::create_directory(folder_.Path() / "DocList.txt");
    EXPECT_EQ(list.Add(u"C:\\new.txt", 0), AddFavoriteResult::kNotStored);
    EXPECT_EQ(list.LastWrite(), ListWrite::kUnreadable);
    EXPECT_EQ(list.FileState(), ListRead::kUnreadable);
    EXPECT_EQ(list.Get(1).path, String(u"C:\\b.txt"));  // the copy stays as it was read
    list.Load();
    EXPECT_EQ(list.Get(0).path, String(u"C:\\home.txt"));
    EXPECT_FALSE(list.Replace(slots));
    EXPECT_EQ(list.LastWrite(), ListWrite::kUnreadable);
    EXPECT_TRUE(std::filesystem::is_empty(folder_.Path() / "DocList.txt"));
    EXPECT_EQ(list.Get(0).path, String(u"C:\\home.txt"));

    // Readable again: a list the last read did not see is still not written
    // until it has been read.
    std::filesystem::remove(folder_.Path() / "DocList.txt");
    WriteList(u"\r932,C:\\home.txt\r");
    EXPECT_FALSE(list.Replace(slots));
    list.Load();
    EXPECT_TRUE(list.Replace(slots));
    EXPECT_EQ(folder_.Read("DocList.txt"), Utf16Le(u"\r0,C:\\only.txt\r"));
}

#ifdef _WIN32
// Another program holds DocList.txt open without sharing it.
TEST_F(FavoriteListTest, AListAnotherProgramHoldsIsNeverWritten) {
    WriteList(u"\r932,C:\\home.txt\r-6,C:\\b.txt\r");
    std::u16string path = folder_.File("DocList.txt");
    HANDLE held = CreateFileW(std::wstring(path.begin(), path.end()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FavoriteList list = MakeList();
    list.Load();
    EXPECT_EQ(list.FileState(), ListRead::kUnreadable);
    EXPECT_EQ(list.Add(u"C:\\new.txt", 0), AddFavoriteResult::kNotStored);
    EXPECT_EQ(list.LastWrite(), ListWrite::kUnreadable);
    Favorite slots[kEditableFavorites];
    slots[0] = Favorite{u"C:\\only.txt", 0};
    EXPECT_FALSE(list.Replace(slots));
    CloseHandle(held);
    EXPECT_EQ(folder_.Read("DocList.txt"), Utf16Le(u"\r932,C:\\home.txt\r-6,C:\\b.txt\r"));
    EXPECT_EQ(folder_.EntryCount(), 1u);
}
#endif

TEST_F(FavoriteListTest, AddRereadsWhatOtherInstancesStored) {
    FavoriteList first = MakeList();
    FavoriteList second = MakeList();
    first.Add(u"C:\\home.txt", 0);
    second.Add(u"C:\\two.txt", 0);  // second never loaded; the file has home already
    first.Add(u"C:\\three.txt", 0);
    first.Load();
    EXPECT_EQ(first.Get(0).path, String(u"C:\\home.txt"));
    EXPECT_EQ(first.Get(1).path, String(u"C:\\two.txt"));
    EXPECT_EQ(first.Get(2).path, String(u"C:\\three.txt"));
}

TEST_F(FavoriteListTest, AddThatCannotBeStoredFailsAndKeepsTheFileState) {
    FavoriteList list(String(folder_.File("missing-folder") + u"/DocList.txt"), String(mutex_.Name()));
    EXPECT_EQ(list.Add(u"C:\\a.txt", 0), AddFavoriteResult::kNotStored);
    EXPECT_TRUE(list.Get(0).path.Empty());
}

TEST_F(FavoriteListTest, AMissingFileIsAnEmptyList) {
    FavoriteList list = MakeList();
    list.Load();
    EXPECT_TRUE(list.Get(0).path.Empty());
}

TEST_F(FavoriteListTest, ReplaceStoresTheEditedCopy) {
    FavoriteList list = MakeList();
    list.Add(u"C:\\home.txt", 0);
    list.Add(u"C:\\one.txt", 1);
    Favorite edited[kEditableFavorites];
    edited[0] = list.Get(1);  // deleting row 0 makes favourite 1 the home page
    EXPECT_TRUE(list.Replace(edited));
    FavoriteList other = MakeList();
    other.Load();
    EXPECT_EQ(other.Get(0).path, String(u"C:\\one.txt"));
    EXPECT_TRUE(other.Get(1).path.Empty());
}

TEST_F(FavoriteListTest, CsvExportAndMerge) {
    Favorite slots[kEditableFavorites];
    slots[0] = {u"C:\\home.txt", 932};
    slots[1] = {u"C:\\Notes\\a.txt", 0};
    ASSERT_TRUE(ExportFavoritesCsv(String(folder_.File("list.csv")), u"Pathbook", slots));
    EXPECT_EQ(folder_.Read("list.csv"), Utf16Le(u"Pathbook\r932,C:\\home.txt\r0,C:\\Notes\\a.txt\r"));

    Favorite target[kEditableFavorites];
    target[0] = {u"c:\\notes\\A.TXT", 5};
    EXPECT_EQ(MergeFavoritesCsv(String(folder_.File("list.csv")), u"Pathbook", target), CsvMergeResult::kMerged);
    EXPECT_EQ(target[0].path, String(u"c:\\notes\\A.TXT"));  // same path in other letter case: the code only
    EXPECT_EQ(target[0].code, 0);
    EXPECT_EQ(target[1].path, String(u"C:\\home.txt"));
    EXPECT_EQ(target[1].code, 932);
    EXPECT_TRUE(target[2].path.Empty());
}

TEST_F(FavoriteListTest, CsvWithAnotherHeaderIsRefused) {
    folder_.Write("list.csv", Utf16Le(u"\u30D1\u30B9\u30D6\u30C3\u30AF\r0,C:\\a.txt\r"));
    Favorite target[kEditableFavorites];
    EXPECT_EQ(MergeFavoritesCsv(String(folder_.File("list.csv")), u"Pathbook", target), CsvMergeResult::kWrongHeader);
    EXPECT_TRUE(target[0].path.Empty());
    EXPECT_EQ(MergeFavoritesCsv(String(folder_.File("none.csv")), u"Pathbook", target), CsvMergeResult::kUnreadable);
}

TEST_F(FavoriteListTest, CsvEntriesThatFindNoSlotAreDropped) {
    std::u16string text = u"Pathbook\r";
    for (int i = 0; i < 20; ++i) text += u"1,C:\\csv" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u"\r";
    folder_.Write("list.csv", Utf16Le(text));
    Favorite target[kEditableFavorites];
    target[0] = {u"C:\\mine.txt", 0};
    EXPECT_EQ(MergeFavoritesCsv(String(folder_.File("list.csv")), u"Pathbook", target), CsvMergeResult::kMerged);
    EXPECT_EQ(target[15].path, String(u"C:\\csvo"));
    EXPECT_EQ(target[0].path, String(u"C:\\mine.txt"));
}

TEST(FavoriteFileTest, LineSplitting) {
    std::string bytes = Utf16Le(u"a\rb\r\nc\nd");
    std::vector<std::u16string> lines =
        SplitFavoriteLines(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() + 1, 10);
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
    lines = SplitFavoriteLines(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), 2);
    EXPECT_EQ(lines.size(), 2u);
}

}  // namespace
}  // namespace pathbook
