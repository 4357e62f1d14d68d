#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>

#include "navigation/favorite_list.h"
#include "navigation/favorite_working_copy.h"
#include "runtime/utf8.h"
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
    FavoriteList Loaded() const {
        FavoriteList list = MakeList();
        list.Load();
        return list;
    }
    // The paths of the list from favourite 0 on, and an empty slot after them.
    static void ExpectPaths(const FavoriteList& list, std::initializer_list<const char16_t*> paths) {
        std::int32_t i = 0;
        for (const char16_t* path : paths) {
            EXPECT_EQ(Utf16ToUtf8(list.Get(i).path.View()), Utf16ToUtf8(path)) << "entry " << i;
            ++i;
        }
        EXPECT_TRUE(list.Get(i).path.Empty()) << "entry " << i;
    }

    TempFolder folder_;
    NameCleanup mutex_{UniqueName("MRUMutex")};
};

TEST_F(FavoriteListTest, TheSecondLineIsTheHomePage) {
    WriteList(u"\r932,C:\\notes\\home.txt\r");
    FavoriteList list = Loaded();
    ExpectPaths(list, {u"C:\\notes\\home.txt"});
    EXPECT_EQ(list.Get(0).code, 932);
    EXPECT_TRUE(list.Get(16).path.Empty());
    EXPECT_TRUE(list.Get(-1).path.Empty());
}

TEST_F(FavoriteListTest, StoreWritesTheFileByteForByte) {
    FavoriteList list = MakeList();
    EXPECT_EQ(list.Add(u"C:\\home.txt", 932), AddFavoriteResult::kAdded);
    EXPECT_EQ(list.Add(u"C:\\a,b.txt", -6), AddFavoriteResult::kAdded);
    EXPECT_EQ(folder_.Read("DocList.txt"), Utf16Le(u"\r932,C:\\home.txt\r-6,C:\\a,b.txt\r"));
    FavoriteList other = Loaded();
    EXPECT_EQ(other.Get(1).path, String(u"C:\\a,b.txt"));
    EXPECT_EQ(other.Get(1).code, -6);
    EXPECT_EQ(other.Find(u"C:\\a,b.txt"), 1);
    EXPECT_EQ(other.Find(u"c:\\A,B.txt"), -1);
}

TEST_F(FavoriteListTest, ShortLinesLeaveTheirSlotEmpty) {
    WriteList(u"header\r\n0,C:\\a.txt\r\n1,x\r\nno comma here\r\n-5,C:\\e.txt\r\n");
    FavoriteList list = Loaded();
    EXPECT_EQ(list.Get(0).path, String(u"C:\\a.txt"));
    EXPECT_TRUE(list.Get(1).path.Empty());  // "1,x" has only three characters
    EXPECT_TRUE(list.Get(2).path.Empty());
    EXPECT_EQ(list.Get(3).path, String(u"C:\\e.txt"));
    EXPECT_EQ(list.Get(3).code, -5);
}

TEST_F(FavoriteListTest, LongLinesAreCutTo259) {
    std::u16string path = u"C:\\" + std::u16string(400, u'x');
    WriteList(u"\r0," + path + u"\r7,C:\\next.txt\r");
    FavoriteList list = Loaded();
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
    FavoriteList list = Loaded();
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
    FavoriteList list = Loaded();
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
    ExpectPaths(first, {u"C:\\home.txt", u"C:\\two.txt", u"C:\\three.txt"});
}

TEST_F(FavoriteListTest, AddThatCannotBeStoredFailsAndKeepsTheFileState) {
    FavoriteList list(String(folder_.File("missing-folder") + u"/DocList.txt"), String(mutex_.Name()));
    EXPECT_EQ(list.Add(u"C:\\a.txt", 0), AddFavoriteResult::kNotStored);
    EXPECT_TRUE(list.Get(0).path.Empty());
}

TEST_F(FavoriteListTest, AMissingFileIsAnEmptyList) { ExpectPaths(Loaded(), {}); }

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

String Numbered(int i) { return String(u"C:\\f" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u".txt"); }

class FavoriteWorkingCopyTest : public FavoriteListTest {
protected:
    // A list file with `count` favourites C:\fa.txt, C:\fb.txt, ... (codes -2, -3, ...:
    // UTF-5, UTF-16BE(BOM), ...), loaded into the copy.
    void Start(int count) {
        for (int i = 0; i < count; ++i) list_.Add(Numbered(i), -2 - i);
        copy_.Assign(list_);
    }
    std::u16string Paths() const {
        std::u16string paths;
        for (int i = 0; i < copy_.Count(); ++i) paths += copy_.At(i).path.View().substr(4, 1);
        return paths;
    }
    String Csv(const std::string& name) const { return String(folder_.File(name)); }

    FavoriteList list_ = MakeList();
    FavoriteWorkingCopy copy_;
};

TEST_F(FavoriteWorkingCopyTest, MovesSwapNeighboursAndStopAtTheEnds) {
    Start(3);
    EXPECT_FALSE(copy_.Changed());
    EXPECT_FALSE(copy_.MoveUp(0));
    EXPECT_FALSE(copy_.MoveDown(2));
    EXPECT_FALSE(copy_.MoveDown(5));
    EXPECT_FALSE(copy_.Changed());
    EXPECT_TRUE(copy_.MoveDown(0));
    EXPECT_EQ(Paths(), u"bac");
    EXPECT_TRUE(copy_.MoveUp(2));
    EXPECT_EQ(Paths(), u"bca");
    EXPECT_EQ(copy_.At(2).code, -2);  // the code travels with its path
    EXPECT_TRUE(copy_.Changed());
}

TEST_F(FavoriteWorkingCopyTest, RemoveClosesTheGapAndNamesTheRowToSelect) {
    Start(3);
    EXPECT_EQ(copy_.Remove(0), 0);
    EXPECT_EQ(Paths(), u"bc");
    EXPECT_EQ(copy_.Remove(1), 0);  // the last row went: the one before it
    EXPECT_EQ(Paths(), u"b");
    EXPECT_EQ(copy_.Remove(3), -1);
    EXPECT_EQ(copy_.Remove(0), -1);
    EXPECT_EQ(copy_.Count(), 0);
    EXPECT_TRUE(copy_.At(0).path.Empty());
}

TEST_F(FavoriteWorkingCopyTest, ClearOnlyChangesAListWithRows) {
    Start(0);
    EXPECT_FALSE(copy_.Clear());
    EXPECT_FALSE(copy_.Changed());
    Start(2);
    EXPECT_TRUE(copy_.Clear());
    EXPECT_EQ(copy_.Count(), 0);
    EXPECT_TRUE(copy_.Changed());
}

TEST_F(FavoriteWorkingCopyTest, AddFileUpdatesAnExactPathFillsAFreeSlotOrDrops) {
    Start(2);
    AddedFile updated = copy_.AddFile(Numbered(1), 932);
    EXPECT_EQ(updated.kind, AddedFile::kUpdated);
    EXPECT_EQ(updated.row, 1);
    EXPECT_EQ(copy_.At(1).code, 932);
    AddedFile inserted = copy_.AddFile(u"C:\\FB.TXT", 65001);  // other letter case: another file
    EXPECT_EQ(inserted.kind, AddedFile::kInserted);
    EXPECT_EQ(inserted.row, 2);
    for (int i = 3; i < kEditableFavorites; ++i) EXPECT_EQ(copy_.AddFile(Numbered(i), 0).kind, AddedFile::kInserted);
    EXPECT_EQ(copy_.AddFile(u"C:\\one-too-many.txt", 0).kind, AddedFile::kDropped);
    EXPECT_EQ(copy_.AddFile(u"", 0).kind, AddedFile::kDropped);
    EXPECT_EQ(copy_.Count(), kEditableFavorites);
}

TEST_F(FavoriteWorkingCopyTest, SavingTheCopyAfterDeletingTheHomePage) {
    Start(3);
    copy_.Remove(0);
    EXPECT_FALSE(copy_.SameAs(list_));
    ASSERT_TRUE(list_.Replace(copy_.Slots()));
    copy_.MarkSaved();
    EXPECT_FALSE(copy_.Changed());
    EXPECT_TRUE(copy_.SameAs(list_));
    EXPECT_EQ(folder_.Read("DocList.txt"), Utf16Le(u"\r-3,C:\\fb.txt\r-4,C:\\fc.txt\r"));
}

TEST_F(FavoriteWorkingCopyTest, ACopyOfAListWithAGapEndsAtTheGap) {
    WriteList(u"\r0,C:\\a.txt\rxx\r0,C:\\c.txt\r");
    list_.Load();
    copy_.Assign(list_);
    EXPECT_EQ(copy_.Count(), 1);
    EXPECT_TRUE(copy_.Slots()[2].path.Empty());
}

TEST_F(FavoriteWorkingCopyTest, CsvRoundTrip) {
    Start(3);
    copy_.MoveDown(0);
    ASSERT_TRUE(copy_.ExportCsv(Csv("out.csv"), u"Pathbook"));
    EXPECT_EQ(folder_.Read("out.csv"), Utf16Le(u"Pathbook\r-3,C:\\fb.txt\r-2,C:\\fa.txt\r-4,C:\\fc.txt\r"));
    FavoriteWorkingCopy other;
    EXPECT_EQ(other.MergeCsv(Csv("out.csv"), u"Pathbook"), CsvMergeResult::kMerged);
    EXPECT_TRUE(other.Changed());
    EXPECT_EQ(other.Count(), 3);
    EXPECT_EQ(other.At(0).path, String(u"C:\\fb.txt"));
    EXPECT_EQ(other.At(0).code, -3);
}

TEST_F(FavoriteWorkingCopyTest, AFailedImportChangesNothing) {
    Start(2);
    folder_.Write("other.csv", Utf16Le(u"\u30D1\u30B9\u30D6\u30C3\u30AF\r0,C:\\x.txt\r"));
    folder_.Write("utf8.csv", "Pathbook\r\n0,C:\\x.txt\r\n");
    folder_.Write("odd.csv", std::string("P"));
    EXPECT_EQ(copy_.MergeCsv(Csv("other.csv"), u"Pathbook"), CsvMergeResult::kWrongHeader);
    EXPECT_EQ(copy_.MergeCsv(Csv("utf8.csv"), u"Pathbook"), CsvMergeResult::kWrongHeader);
    EXPECT_EQ(copy_.MergeCsv(Csv("odd.csv"), u"Pathbook"), CsvMergeResult::kWrongHeader);
    EXPECT_EQ(copy_.MergeCsv(Csv("missing.csv"), u"Pathbook"), CsvMergeResult::kUnreadable);
    EXPECT_FALSE(copy_.Changed());
    EXPECT_EQ(Paths(), u"ab");
}

TEST_F(FavoriteWorkingCopyTest, ImportedLinesWithoutAPathLeaveNoHalfFilledSlot) {
    Start(1);
    folder_.Write("list.csv", Utf16Le(u"Pathbook\r1234,\r-5,C:\\FA.TXT\r7,C:\\new.txt\r"));
    EXPECT_EQ(copy_.MergeCsv(Csv("list.csv"), u"Pathbook"), CsvMergeResult::kMerged);
    EXPECT_EQ(copy_.Count(), 2);
    EXPECT_EQ(copy_.At(0).code, -5);  // the same path in other letter case takes the code
    EXPECT_EQ(copy_.At(1).path, String(u"C:\\new.txt"));
    EXPECT_EQ(copy_.At(1).code, 0);  // 7 is no encoding of the table
    EXPECT_EQ(copy_.Slots()[2].code, 0);
}

TEST(FavoriteRowLabelTest, HomeThenDigitsThenLetters) {
    const std::pair<int, const char16_t*> labels[] = {{0, u"Home"}, {1, u"[0]"}, {10, u"[9]"}, {11, u"[A]"}, {15, u"[E]"}};
    for (const auto& [row, label] : labels) EXPECT_EQ(FavoriteRowLabel(row, u"Home"), String(label)) << row;
}

}  // namespace
}  // namespace pathbook
