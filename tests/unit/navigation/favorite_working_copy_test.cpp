#include <gtest/gtest.h>

#include <string>

#include "navigation/favorite_working_copy.h"
#include "support/temp_folder.h"
#include "support/unique_name.h"
#include "support/utf16le_bytes.h"

namespace pathbook {
namespace {

using test::NameCleanup;
using test::TempFolder;
using test::UniqueName;
using test::Utf16Le;

String Numbered(int i) { return String(u"C:\\f" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u".txt"); }

class FavoriteWorkingCopyTest : public ::testing::Test {
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

    TempFolder folder_;
    NameCleanup mutex_{UniqueName("MRUMutex")};
    FavoriteList list_{String(folder_.File("DocList.txt")), String(mutex_.Name())};
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
    folder_.Write("DocList.txt", Utf16Le(u"\r0,C:\\a.txt\rxx\r0,C:\\c.txt\r"));
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
    EXPECT_EQ(FavoriteRowLabel(0, u"Home"), String(u"Home"));
    EXPECT_EQ(FavoriteRowLabel(1, u"Home"), String(u"[0]"));
    EXPECT_EQ(FavoriteRowLabel(10, u"Home"), String(u"[9]"));
    EXPECT_EQ(FavoriteRowLabel(11, u"Home"), String(u"[A]"));
    EXPECT_EQ(FavoriteRowLabel(15, u"Home"), String(u"[E]"));
}

}  // namespace
}  // namespace pathbook
