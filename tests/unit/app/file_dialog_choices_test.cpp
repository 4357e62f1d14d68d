// The open and save dialogs' own choices: filters, encodings, folders.
#include <gtest/gtest.h>

#include <string>

#include "app/file_dialog_choices.h"
#include "links/path_text.h"

namespace pathbook {
namespace {

TEST(FileDialogChoicesTest, FilterIsNulSeparatedPairsEndedTwice) {
    String filter = DialogFilter({{u"Text Files", u"*.txt"}, {u"All Files(*.*)", u"*.*"}});
    EXPECT_EQ(std::u16string(filter.View()), std::u16string(u"Text Files\0*.txt\0All Files(*.*)\0*.*\0\0", 37));
    String one = DialogFilter({{u"All", u"*.*"}});
    EXPECT_EQ(std::u16string(one.View()), std::u16string(u"All\0*.*\0\0", 9));
}

TEST(FileDialogChoicesTest, FolderEntriesInOrderWithTheirSeparators) {
    EXPECT_EQ(FolderChoicePath(0, u"C:\\notes"), String(u"C:\\notes"));
    for (std::int32_t index = 1; index < kFolderChoiceCount; ++index) {
        String path = FolderChoicePath(index, u"C:\\notes");
        EXPECT_EQ(path, FolderPath(kFolderChoices[index], true)) << index;
        if (!path.Empty()) {
            EXPECT_TRUE(IsPathSeparator(path[path.Length() - 1])) << index;
        }
    }
    String oneDrive = FolderChoicePath(4, u"");
    if (!oneDrive.Empty()) {
        EXPECT_NE(oneDrive.View().find(u"\\OneDrive\\"), std::u16string_view::npos);
    }
    EXPECT_TRUE(FolderChoicePath(-1, u"C:\\x").Empty());
    EXPECT_TRUE(FolderChoicePath(kFolderChoiceCount, u"C:\\x").Empty());
}

TEST(FileDialogChoicesTest, EncodingRowsFollowTheirFlagsAndMapBack) {
    EncodingList list;
    BuildEncodingList(list);
    std::vector<std::int32_t> opening = OfferedEncodingRows(list, kOfferedForOpening);
    std::vector<std::int32_t> saving = OfferedEncodingRows(list, kOfferedForSaving);
    ASSERT_FALSE(opening.empty());
    ASSERT_FALSE(saving.empty());
    // Automatic detection is offered first for opening, never for saving.
    EXPECT_EQ(list[opening[0]].id, charset::kAutoDetect);
    for (std::int32_t row : saving) EXPECT_NE(list[row].id, charset::kAutoDetect);
    for (std::size_t i = 1; i < saving.size(); ++i) EXPECT_LT(saving[i - 1], saving[i]);
    for (std::size_t i = 0; i < saving.size(); ++i) {
        EXPECT_EQ(ComboIndexOfRow(saving, saving[i]), static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(ComboIndexOfRow(saving, -1), 0);
    EXPECT_EQ(ComboIndexOfRow(saving, opening[0]), 0);
    EXPECT_EQ(ComboIndexOfRow({}, 3), -1);
}

}  // namespace
}  // namespace pathbook
